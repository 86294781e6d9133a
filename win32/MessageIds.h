// Every message and command identifier that reaches the main window: from the tray icon, the
// tray menu, the list's menu and buttons, and the program's own threads.
#pragma once

#include <windows.h>

// The tray icon's callback message (WM_APP + 4). Users' automation scripts post it, with the
// double-click below, to show or hide the program.
inline constexpr UINT WM_TRAYICON = 0x8004;
// What the shell passes as its lParam.
inline constexpr LPARAM kTrayDoubleClick = WM_LBUTTONDBLCLK;  // 515: hide or restore
inline constexpr LPARAM kTrayRightButtonUp = WM_RBUTTONUP;    // 517: the menu

// WM_COMMAND identifiers 0..5 of the tray menu and the reminder. Automation scripts send them
// to the main window, so their values never change.
inline constexpr WORD kCommandExit = 0;
inline constexpr WORD kCommandToggle = 1;
inline constexpr WORD kCommandAddTask = 2;
inline constexpr WORD kCommandSeparator = 3;
// Posted by the checker when a task with a message fires: open its reminder popup.
inline constexpr WORD kCommandReminder = 5;

// The list menu's items and the two buttons, clear of the identifiers above.
inline constexpr WORD kMenuAddTask = 201;          // add a task
inline constexpr WORD kMenuEditTask = 202;         // edit the selected task
inline constexpr WORD kMenuPauseOrActivate = 203;  // pause or activate it
inline constexpr WORD kMenuSeparator = 204;
inline constexpr WORD kMenuDeleteTask = 205;  // delete it
inline constexpr WORD kAddButtonId = 301;
inline constexpr WORD kSettingsButtonId = 302;

// Messages the program posts to its own main window, well above the tray icon's callback.
// The row model has queued changes for the task list.
inline constexpr UINT WM_ROWSCHANGED = WM_APP + 0x100;
// An error text waits to be shown on the user-interface thread.
inline constexpr UINT WM_SHOWERROR = WM_APP + 0x101;
// A task asks to shut the computer down: stop in order first, then shut down.
inline constexpr UINT WM_SHUTDOWNCOMPUTER = WM_APP + 0x102;
