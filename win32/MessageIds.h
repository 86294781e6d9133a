// Every message and command identifier that reaches the main window: from the tray icon, the
// tray menu, the list's menu and buttons, and the program's own threads. The program's private
// messages are named WMAPP_, apart from the system's.
#pragma once

#include <windows.h>

// The tray icon's callback message. Users' automation scripts post it by its number, with the
// double-click below, to show or hide the program, so it never changes.
inline constexpr UINT WMAPP_TRAYICON = WM_APP + 4;
// What the shell passes as its lParam.
inline constexpr LPARAM kTrayDoubleClick = WM_LBUTTONDBLCLK;  // 515: hide or restore
inline constexpr LPARAM kTrayRightButtonUp = WM_RBUTTONUP;    // 517: the menu

// WM_COMMAND identifiers of the tray menu. Automation scripts send them to the main window, so
// their values never change.
inline constexpr WORD kCommandExit = 0;
inline constexpr WORD kCommandToggle = 1;
inline constexpr WORD kCommandAddTask = 2;
inline constexpr WORD kCommandSeparator = 3;

// The list menu's items and the two buttons, clear of the identifiers above.
inline constexpr WORD kMenuAddTask = 201;          // add a task
inline constexpr WORD kMenuEditTask = 202;         // edit the selected task
inline constexpr WORD kMenuPauseOrActivate = 203;  // pause or activate it
inline constexpr WORD kMenuSeparator = 204;
inline constexpr WORD kMenuDeleteTask = 205;  // delete it
inline constexpr WORD kAddButtonId = 301;
inline constexpr WORD kSettingsButtonId = 302;

// Jobs from other threads wait in the main window's mailbox (win32/WindowMailbox.h); this
// message, well above the tray icon's callback, says that some are there.
inline constexpr UINT WMAPP_MAILBOX = WM_APP + 0x100;
