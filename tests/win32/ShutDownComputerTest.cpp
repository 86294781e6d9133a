// The privilege steps before a forced shutdown, with the system calls recorded, never real.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/Application.h"
#include "tests/support/DataIniText.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "ui/shared/ControlAccess.h"
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
  int requests = 0;
  std::optional<std::string> dataIni;
  bool checkerRunning = true;
  bool windowExists = false;
};
AtShutdown* atShutdown = nullptr;
Application* shuttingDown = nullptr;
std::wstring shutdownDataIni;

BOOL WINAPI RecordingExit(UINT flags, DWORD) {
  atShutdown->requests += flags == 5 ? 1 : 100;
  atShutdown->dataIni = ReadBytes(shutdownDataIni);
  atShutdown->checkerRunning = shuttingDown->checker().Running();
  atShutdown->windowExists = shuttingDown->mainWindow().Handle() != nullptr;
  return TRUE;
}

// A shutdown task has fired in a running program whose system calls are recorded, never real.
// A shutdown task has fired in a running program whose system calls are recorded, never real;
// the parameter is how the warning ends.
enum class WarningEnd { ShutDownNow, CountRunsOut, Cancel, Escape, Exit, EndOfSession };

class ShutdownWarningTest : public testing::TestWithParam<WarningEnd> {
 protected:
  TestFolder folder;
  Application app;
  AtShutdown seen;
  Recorder recorder;

  void SetUp() override {
    shutdownDataIni = folder.File(L"Data.ini");
    TestTask paused;
    paused.status = 2;  // nothing fires on its own during the test
    ASSERT_TRUE(WriteBytes(shutdownDataIni, DataIniText({}, {paused})));
    atShutdown = &seen;
    shuttingDown = &app;
    rec = &recorder;
    ShutdownCalls calls = FakeCalls();
    calls.exitWindowsEx = RecordingExit;
    app.SetShutdownCalls(calls);
    ASSERT_TRUE(app.Start(ToUtf8(shutdownDataIni)));
    PumpMessages();
  }
  void TearDown() override {
    if (HWND window = app.mainWindow().Handle()) DestroyWindow(window);
    PumpMessages();
    rec = nullptr;
    atShutdown = nullptr;
    shuttingDown = nullptr;
  }

  // What a firing shutdown task leaves behind before it asks for the shutdown (the firing
  // itself saves nothing), and its request.
  void FireShutdownTask() {
    {
      std::lock_guard lock(app.store().mutex);
      app.store().tasks[0].status = StatusDoneToday;
      app.store().tasks[0].lastRun.second = 42;
    }
    app.platform().ShutDownComputer();
    ASSERT_TRUE(PumpUntil([&] { return app.shutdownWarning().IsOpen(); }));
  }
  HWND Warning() { return app.shutdownWarning().Handle(); }
  std::string WarningText() {
    return ControlText(app.shutdownWarning().Control(ShutdownWarningControl::Text));
  }
  void Wait(int ms) {
    PumpUntil([] { return false; }, std::chrono::milliseconds(ms));
  }
};

TEST_F(ShutdownWarningTest, OpensOnTopWithoutTakingTheKeyboardAndCounts) {
  // The user types in another window.
  HWND typing = CreateWindowExW(0, L"STATIC", L"typing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 5, 5, 200, 24, typing,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(typing);
  SetFocus(edit);
  Wait(100);
  ASSERT_EQ(GetFocus(), edit);

  ASSERT_NO_FATAL_FAILURE(FireShutdownTask());
  Wait(300);
  EXPECT_TRUE(IsWindowVisible(Warning()));
  EXPECT_TRUE(GetWindowLongPtrW(Warning(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetForegroundWindow(), typing);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(WarningText(), "Компьютер будет выключен через 60 с");
  // The task's new state is kept at once, though the firing saved nothing.
  const std::optional<std::string> saved = ReadBytes(shutdownDataIni);
  ASSERT_TRUE(saved);
  EXPECT_NE(saved->find("Stat=3\r\n"), std::string::npos);

  Wait(1000);
  EXPECT_EQ(WarningText(), "Компьютер будет выключен через 59 с");
  // A second shutdown task joins the warning that counts already.
  const HWND first = Warning();
  app.platform().ShutDownComputer();
  Wait(100);
  EXPECT_EQ(Warning(), first);
  EXPECT_EQ(WarningText(), "Компьютер будет выключен через 59 с");
  DestroyWindow(typing);
}

TEST_P(ShutdownWarningTest, EndsInAShutdownOnlyByTheButtonOrTheCount) {
  const WarningEnd end = GetParam();
  if (end == WarningEnd::CountRunsOut) app.SetShutdownWarningSeconds(1);
  ASSERT_NO_FATAL_FAILURE(FireShutdownTask());
  {
    // Changed after the warning opened: only the final save can have written it.
    std::lock_guard lock(app.store().mutex);
    app.store().tasks[0].lastRun.second = 43;
  }
  const HWND warning = Warning();
  MSG escape{app.shutdownWarning().Control(ShutdownWarningControl::Cancel),
             WM_KEYDOWN,
             VK_ESCAPE,
             0,
             0,
             {}};
  const HWND main = app.mainWindow().Handle();
  switch (end) {
    case WarningEnd::ShutDownNow:
      SendMessageW(app.shutdownWarning().Control(ShutdownWarningControl::ShutDownNow), BM_CLICK, 0,
                   0);
      break;
    case WarningEnd::CountRunsOut:
      break;
    case WarningEnd::Cancel:
      SendMessageW(app.shutdownWarning().Control(ShutdownWarningControl::Cancel), BM_CLICK, 0, 0);
      break;
    case WarningEnd::Escape:
      app.PreviewMessage(escape);
      break;
    case WarningEnd::Exit:
      SendMessageW(main, WM_COMMAND, kCommandExit, 0);
      break;
    case WarningEnd::EndOfSession:
      SendMessageW(main, WM_ENDSESSION, TRUE, 0);
      break;
  }
  if (end == WarningEnd::ShutDownNow || end == WarningEnd::CountRunsOut) {
    EXPECT_TRUE(PumpUntil([&] { return app.mainWindow().Handle() == nullptr; }));
    EXPECT_EQ(seen.requests, 1);
    EXPECT_FALSE(seen.checkerRunning) << "the checker must be stopped before the shutdown";
    ASSERT_TRUE(seen.dataIni.has_value());
    EXPECT_NE(seen.dataIni->find("PrevS=43\r\n"), std::string::npos)
        << "the final save must be on disk before the shutdown";
    EXPECT_TRUE(seen.windowExists) << "the window closes after the shutdown request";
    EXPECT_FALSE(app.shutdownWarning().IsOpen());
    return;
  }
  EXPECT_FALSE(IsWindow(warning));
  const bool programEnds = end == WarningEnd::Exit || end == WarningEnd::EndOfSession;
  // A task that fires just after the program began to stop asks too late.
  if (programEnds) app.platform().ShutDownComputer();
  Wait(300);
  EXPECT_FALSE(app.shutdownWarning().IsOpen());
  EXPECT_EQ(seen.requests, 0);
  EXPECT_TRUE(recorder.calls.empty()) << "no shutdown step";
  EXPECT_EQ(app.checker().Running(), !programEnds);
  if (!programEnds) {
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsIconic(main));
  }
}

std::string EndName(const testing::TestParamInfo<WarningEnd>& end) {
  const char* names[] = {"ShutDownNow", "CountRunsOut", "Cancel", "Escape", "Exit", "EndOfSession"};
  return names[static_cast<int>(end.param)];
}

INSTANTIATE_TEST_SUITE_P(EveryEnd, ShutdownWarningTest,
                         testing::Values(WarningEnd::ShutDownNow, WarningEnd::CountRunsOut,
                                         WarningEnd::Cancel, WarningEnd::Escape, WarningEnd::Exit,
                                         WarningEnd::EndOfSession),
                         EndName);

}  // namespace
