// The privilege steps before a forced shutdown, with the system calls recorded, never real.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/Application.h"
#include "tests/support/DataIniText.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "win32/MessageIds.h"
#include "win32/ShutDownComputer.h"
#include "win32/Text.h"

namespace {

struct Recorder {
  std::vector<std::string> calls;
  bool openOk = true;
  bool lookupOk = true;
  DWORD lastError = 0;
  UINT exitFlags = 0;
  DWORD exitReserved = 99;
  DWORD adjustBufferLength = 0;
  DWORD adjustAttributes = 0;
  std::string privilegeName;
};
Recorder* rec = nullptr;

BOOL WINAPI FakeOpen(HANDLE, DWORD access, PHANDLE token) {
  rec->calls.push_back("open " + std::to_string(access));
  *token = nullptr;  // nothing to close
  return rec->openOk;
}
BOOL WINAPI FakeLookup(LPCSTR system, LPCSTR name, PLUID) {
  rec->calls.push_back(std::string("lookup ") + (system ? system : "(local)"));
  rec->privilegeName = name;
  return rec->lookupOk;
}
BOOL WINAPI FakeAdjust(HANDLE, BOOL disableAll, PTOKEN_PRIVILEGES privileges, DWORD length,
                       PTOKEN_PRIVILEGES, PDWORD) {
  rec->calls.push_back("adjust " + std::to_string(disableAll) + " " +
                       std::to_string(privileges->PrivilegeCount));
  rec->adjustBufferLength = length;
  rec->adjustAttributes = privileges->Privileges[0].Attributes;
  return TRUE;  // the result is not what counts
}
DWORD WINAPI FakeLastError() { return rec->lastError; }
BOOL WINAPI FakeExit(UINT flags, DWORD reserved) {
  rec->calls.push_back("exit");
  rec->exitFlags = flags;
  rec->exitReserved = reserved;
  return TRUE;
}
void FakeBox(const char* caption) { rec->calls.push_back(std::string("box ") + caption); }

ShutdownCalls FakeCalls() {
  ShutdownCalls calls;
  calls.openProcessToken = FakeOpen;
  calls.lookupPrivilegeValue = FakeLookup;
  calls.adjustTokenPrivileges = FakeAdjust;
  calls.getLastError = FakeLastError;
  calls.exitWindowsEx = FakeExit;
  calls.showFailure = FakeBox;
  return calls;
}

struct Case {
  const char* name;
  bool openOk, lookupOk;
  DWORD lastError;
  std::vector<std::string> expected;
};

class ShutdownSteps : public testing::TestWithParam<Case> {};

TEST_P(ShutdownSteps, InOrderAndStopAtTheFirstFailure) {
  const Case& c = GetParam();
  Recorder r;
  r.openOk = c.openOk;
  r.lookupOk = c.lookupOk;
  r.lastError = c.lastError;
  rec = &r;
  const bool requested = RequestForcedShutdown(FakeCalls());
  rec = nullptr;
  EXPECT_EQ(r.calls, c.expected) << c.name;
  const bool exited = !r.calls.empty() && r.calls.back() == "exit";
  EXPECT_EQ(requested, exited) << c.name;
  if (exited) {
    EXPECT_EQ(r.exitFlags, 5u);
    EXPECT_EQ(r.exitReserved, 0u);
  }
  if (c.openOk && c.lookupOk) {
    EXPECT_EQ(r.privilegeName, "SeShutdownPrivilege");
    EXPECT_EQ(r.adjustBufferLength, 16u);
    EXPECT_EQ(r.adjustAttributes, static_cast<DWORD>(SE_PRIVILEGE_ENABLED));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ShutdownSteps,
    testing::Values(
        Case{"all well", true, true, 0, {"open 40", "lookup (local)", "adjust 0 1", "exit"}},
        Case{"no token", false, true, 0, {"open 40", "box OpenProcessToken() Failed"}},
        Case{"no privilege id",
             true,
             false,
             0,
             {"open 40", "lookup (local)", "box LookupPrivilegeValue() Failed"}},
        Case{"privilege not held (1300)",
             true,
             true,
             1300,
             {"open 40", "lookup (local)", "adjust 0 1", "box AdjustTokenPrivileges() Failed"}},
        Case{"an error whose low byte is 0 passes",
             true,
             true,
             0x100,
             {"open 40", "lookup (local)", "adjust 0 1", "exit"}}));

// The real token calls of this system, with only the shutdown itself faked.
TEST(ShutdownPrivilege, RealTokenCallsReachTheShutdownOrReportWhy) {
  Recorder r;
  rec = &r;
  ShutdownCalls calls;
  calls.exitWindowsEx = FakeExit;
  calls.showFailure = FakeBox;
  RequestForcedShutdown(calls);
  rec = nullptr;
  ASSERT_EQ(r.calls.size(), 1u);
  if (r.calls[0] == "exit")
    EXPECT_EQ(r.exitFlags, 5u);
  else
    EXPECT_EQ(r.calls[0].rfind("box ", 0), 0u) << r.calls[0];
}

// What the program had done when the shutdown was requested.
struct AtShutdown {
  bool requested = false;
  std::optional<std::string> dataIni;
  bool checkerRunning = true;
  bool windowExists = false;
};
AtShutdown* atShutdown = nullptr;
Application* shuttingDown = nullptr;
std::wstring shutdownDataIni;

BOOL WINAPI RecordingExit(UINT flags, DWORD) {
  atShutdown->requested = flags == 5;
  atShutdown->dataIni = ReadBytes(shutdownDataIni);
  atShutdown->checkerRunning = shuttingDown->checker().Running();
  atShutdown->windowExists = shuttingDown->mainWindow().Handle() != nullptr;
  return TRUE;
}

TEST(ShutDownComputerCommand, StopsAndSavesFirstThenShutsDownThenCloses) {
  TestFolder folder;
  shutdownDataIni = folder.File(L"Data.ini");
  TestTask paused;
  paused.status = 2;  // nothing fires on its own during the test
  ASSERT_TRUE(WriteBytes(shutdownDataIni, DataIniText({}, {paused})));
  Application app;
  AtShutdown seen;
  atShutdown = &seen;
  shuttingDown = &app;
  ShutdownCalls calls = FakeCalls();
  calls.exitWindowsEx = RecordingExit;
  Recorder r;
  rec = &r;
  app.SetShutdownCalls(calls);
  ASSERT_TRUE(app.Start(ToUtf8(shutdownDataIni)));
  {
    // What a firing shutdown task leaves behind before it asks for the shutdown.
    std::lock_guard lock(app.store().mutex);
    app.store().tasks[0].status = StatusDoneToday;
    app.store().tasks[0].lastRun.second = 42;
  }
  app.platform().ShutDownComputer();
  EXPECT_TRUE(PumpUntil([&] { return app.mainWindow().Handle() == nullptr; }));
  rec = nullptr;
  atShutdown = nullptr;
  shuttingDown = nullptr;

  EXPECT_TRUE(seen.requested);
  EXPECT_FALSE(seen.checkerRunning) << "the checker must be stopped before the shutdown";
  ASSERT_TRUE(seen.dataIni.has_value());
  EXPECT_NE(seen.dataIni->find("Stat=3\r\n"), std::string::npos)
      << "the final save must be on disk before the shutdown";
  EXPECT_NE(seen.dataIni->find("PrevS=42\r\n"), std::string::npos);
  EXPECT_TRUE(seen.windowExists) << "the window closes after the shutdown request";
}

}  // namespace
