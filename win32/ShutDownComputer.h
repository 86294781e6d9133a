// Shutting the computer down for a task: the shutdown privilege, then a forced shutdown. The system
// calls can be replaced, so tests never shut anything down.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct ShutdownCalls {
  BOOL(WINAPI* openProcessToken)(HANDLE, DWORD, PHANDLE) = OpenProcessToken;
  BOOL(WINAPI* lookupPrivilegeValue)(LPCSTR, LPCSTR, PLUID) = LookupPrivilegeValueA;
  BOOL(WINAPI* adjustTokenPrivileges)
  (HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD) = AdjustTokenPrivileges;
  DWORD(WINAPI* getLastError)() = GetLastError;
  BOOL(WINAPI* exitWindowsEx)(UINT, DWORD) = ExitWindowsEx;
  // The failure box: no owner, text "Exit Error", the failed call as caption, OK only.
  void (*showFailure)(const char* caption) = nullptr;  // null: a real message box
};

// Enables "SeShutdownPrivilege" and requests a forced shutdown (EWX_SHUTDOWN | EWX_FORCE).
// On a failed step shows its box and returns false without shutting down.
bool RequestForcedShutdown(const ShutdownCalls& calls = {});
