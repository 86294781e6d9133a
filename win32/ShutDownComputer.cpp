#include "win32/ShutDownComputer.h"

#include "win32/Handles.h"
#include "win32/SystemTexts.h"
#include "win32/Text.h"

namespace {

// Programs that do not answer are ended: the task asked for the computer to go off, unattended.
constexpr UINT kForcedShutdown = EWX_SHUTDOWN | EWX_FORCE;

void Fail(const ShutdownCalls& calls, const char* caption) {
  if (calls.showFailure) {
    calls.showFailure(caption);
    return;
  }
  MessageBoxW(nullptr, ToWide(kShutdownFailedText).c_str(), ToWide(caption).c_str(), MB_OK);
}

}  // namespace

bool RequestForcedShutdown(const ShutdownCalls& calls) {
  HANDLE rawToken = nullptr;
  if (!calls.openProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                              &rawToken)) {
    Fail(calls, kOpenProcessTokenFailed);
    return false;
  }
  UniqueHandle token(rawToken);
  TOKEN_PRIVILEGES privileges{};
  if (!calls.lookupPrivilegeValue(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
    Fail(calls, kLookupPrivilegeValueFailed);
    return false;
  }
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  TOKEN_PRIVILEGES previous{};
  DWORD previousLength = 0;
  calls.adjustTokenPrivileges(token.get(), FALSE, &privileges, sizeof(previous), &previous,
                              &previousLength);
  // The call's own result says nothing about a privilege not held; the last error does.
  if ((calls.getLastError() & 0xFF) != 0) {
    Fail(calls, kAdjustTokenPrivilegesFailed);
    return false;
  }
  calls.exitWindowsEx(kForcedShutdown, 0);
  return true;
}
