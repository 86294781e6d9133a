// Messages the program posts to its own main window. They lie well above WM_APP + 4
// (0x8004, the tray icon's callback message) so they never meet it.
#pragma once

#include <windows.h>

// The row model has queued changes for ListView1.
inline constexpr UINT WM_ROWSCHANGED = WM_APP + 0x100;
// An error text waits to be shown on the user-interface thread.
inline constexpr UINT WM_SHOWERROR = WM_APP + 0x101;
// A task asks to shut the computer down: stop in order first, then shut down.
inline constexpr UINT WM_SHUTDOWNCOMPUTER = WM_APP + 0x102;

// WM_COMMAND identifier of the reminder popup command, posted by the checker when a task with a
// message fires.
inline constexpr WORD kCommandReminder = 5;
