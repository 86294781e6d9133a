// The tray icon and hiding to the tray: the start-up state for each combination of the start
// minimised and tray options, the toggle, the system commands and the minimise hook, the tray
// menu, the shell restarting, and the orderly stop by "Выход" and by the end of the session.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/support/ApplicationFixture.h"
#include "tests/support/DataIniText.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "win32/MessageIds.h"
#include "win32/Text.h"
#include "win32/TrayIcon.h"

namespace {

const std::string kShow = "Свернуть";
const std::string kRestore = "Развернуть";

class Tray : public ApplicationFixture {
 protected:
  void Start(TestSettings settings, const std::vector<TestTask>& tasks = {}) {
    ASSERT_NO_FATAL_FAILURE(CreateApplication(settings, tasks, [](Application& application) {
      application.SetStartupFolderSource([] { return std::wstring(); });
    }));
    PumpMessages();
  }

  // NIM_MODIFY with the unchanged record succeeds only while the icon is there.
  bool IconPresent() {
    NOTIFYICONDATAW data = app->mainWindow().Tray().TrayData();
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
  }
  std::string ToggleText() { return app->mainWindow().TrayMenu().ItemText(kCommandToggle); }
  HWND Button() { return app->mainWindow().Taskbar().Handle(); }
  bool ButtonShown() { return IsWindowVisible(Button()) != FALSE; }
  bool ProgramMinimised() { return IsIconic(Button()) != FALSE; }
  void Settle() {
    PumpUntil([] { return false; }, std::chrono::milliseconds(150));
  }
};

TEST_F(Tray, TrayDataAndTheMenuAreFilledAsTheShellExpects) {
  Start({.tray = true});
  const NOTIFYICONDATAW& data = app->mainWindow().Tray().TrayData();
  EXPECT_EQ(data.cbSize, sizeof(void*) == 8 ? 952u : 936u);  // the form with a 128-character tip
  EXPECT_EQ(data.hWnd, mainWindow);
  EXPECT_EQ(data.uID, 1u);
  EXPECT_EQ(data.uFlags, 7u);
  EXPECT_EQ(data.uCallbackMessage, 0x8004u);
  EXPECT_TRUE(data.hIcon);
  EXPECT_EQ(std::wstring(data.szTip, 128), L"Vornakel" + std::wstring(120, L'\0'));

  const HMENU menu = app->mainWindow().TrayMenu().Handle();
  ASSERT_EQ(GetMenuItemCount(menu), 4);
  const UINT ids[] = {2, 1, 3, 0};
  const std::string texts[] = {"Добавить задание", kShow, "", "Выход"};
  for (int position = 0; position < 4; ++position) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &item));
    EXPECT_EQ(item.wID, ids[position]) << position;
    EXPECT_EQ((item.fType & MFT_SEPARATOR) != 0, position == 2) << position;
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    EXPECT_EQ(ToCp1251(text), texts[position]) << position;
  }
}

struct StartCase {
  bool startMinimised, tray;
  bool visible, minimised, button, icon;
  bool hidden;
  const std::string& toggleText;
};

TEST_F(Tray, EachCombinationOfTheOptionsStartsInItsState) {
  const StartCase cases[] = {
      {false, true, true, false, true, true, false, kShow},
      {false, false, true, false, true, false, false, kShow},
      {true, true, false, false, false, true, true, kRestore},
      {true, false, false, true, true, false, true, kRestore},
  };
  for (const StartCase& c : cases) {
    const std::string label =
        "SMin " + std::to_string(c.startMinimised) + " Tray " + std::to_string(c.tray);
    Start({.tray = c.tray, .startMinimised = c.startMinimised});
    Settle();  // the posted SC_MINIMIZE of the last case
    EXPECT_EQ(IsWindowVisible(mainWindow) != FALSE, c.visible) << label;
    EXPECT_EQ(ProgramMinimised(), c.minimised) << label;
    EXPECT_EQ(ButtonShown(), c.button) << label;
    EXPECT_EQ(IconPresent(), c.icon) << label;
    EXPECT_EQ(app->mainWindow().HiddenToTray(), c.hidden) << label;
    EXPECT_EQ(ToggleText(), c.toggleText) << label;
    // The stored geometry is the one from Data.ini whatever the window's state.
    {
      std::lock_guard lock(app->store().mutex);
      EXPECT_EQ(app->store().window.x, 120) << label;
      EXPECT_EQ(app->store().window.width, 700) << label;
    }
    TearDown();
    EXPECT_FALSE(FindWindowA("TForm1", " Vornakel")) << label;
  }
}

TEST_F(Tray, DoubleClickHidesToTheTrayAndBringsTheWindowBack) {
  Start({.tray = true});
  SendMessageW(mainWindow, WMAPP_TRAYICON, 1, WM_LBUTTONDBLCLK);
  EXPECT_FALSE(IsWindowVisible(mainWindow));
  EXPECT_FALSE(ButtonShown());
  EXPECT_TRUE(app->mainWindow().HiddenToTray());
  EXPECT_EQ(ToggleText(), kRestore);
  EXPECT_TRUE(IconPresent());

  SendMessageW(mainWindow, WMAPP_TRAYICON, 1, WM_LBUTTONDBLCLK);
  PumpMessages();
  EXPECT_TRUE(IsWindowVisible(mainWindow));
  EXPECT_TRUE(ButtonShown());
  EXPECT_FALSE(IsIconic(mainWindow));
  EXPECT_EQ(GetForegroundWindow(), mainWindow);
  EXPECT_FALSE(app->mainWindow().HiddenToTray());
  EXPECT_EQ(ToggleText(), kShow);

  // Other events of the icon change nothing.
  for (LPARAM event : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN})
    SendMessageW(mainWindow, WMAPP_TRAYICON, 1, event);
  EXPECT_TRUE(IsWindowVisible(mainWindow));
  EXPECT_FALSE(app->mainWindow().HiddenToTray());
}

TEST_F(Tray, WithoutTheTrayTheToggleMinimisesAndKeepsItsState) {
  Start({.tray = false});
  SendMessageW(mainWindow, WMAPP_TRAYICON, 0, WM_LBUTTONDBLCLK);
  Settle();
  EXPECT_TRUE(ProgramMinimised());
  EXPECT_TRUE(ButtonShown());
  EXPECT_FALSE(IsWindowVisible(mainWindow));
  EXPECT_FALSE(app->mainWindow().HiddenToTray());
  EXPECT_EQ(ToggleText(), kShow);
}

TEST_F(Tray, StartedMinimisedWithoutTrayTheFirstToggleRestores) {
  Start({.tray = false, .startMinimised = true});
  Settle();
  ASSERT_TRUE(ProgramMinimised());
  SendMessageW(mainWindow, WMAPP_TRAYICON, 0, WM_LBUTTONDBLCLK);
  Settle();
  EXPECT_FALSE(ProgramMinimised());
  EXPECT_TRUE(IsWindowVisible(mainWindow));
  EXPECT_FALSE(app->mainWindow().HiddenToTray());
  EXPECT_EQ(ToggleText(), kShow);
}

struct SysCommandCase {
  bool tray;
  WPARAM command;
  bool visible, minimised;
  bool hidden;
};

TEST_F(Tray, MinimiseAndCloseCommandsHideOrMinimiseButNeverClose) {
  const SysCommandCase cases[] = {
      {true, SC_MINIMIZE, false, false, true},
      {true, SC_CLOSE, false, false, true},
      {false, SC_MINIMIZE, false, true, false},
      {false, SC_CLOSE, false, true, false},
  };
  for (const SysCommandCase& c : cases) {
    const std::string label =
        "tray " + std::to_string(c.tray) + " command " + std::to_string(c.command);
    Start({.tray = c.tray});
    SendMessageW(mainWindow, WM_SYSCOMMAND, c.command, 0);
    Settle();
    ASSERT_TRUE(IsWindow(mainWindow)) << label;
    EXPECT_EQ(IsWindowVisible(mainWindow) != FALSE, c.visible) << label;
    EXPECT_EQ(ProgramMinimised(), c.minimised) << label;
    EXPECT_EQ(app->mainWindow().HiddenToTray(), c.hidden) << label;
    TearDown();
  }
}

TEST_F(Tray, CloseCommandBringsAHiddenWindowBack) {
  Start({.tray = true, .startMinimised = true});
  SendMessageW(mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
  Settle();
  EXPECT_TRUE(IsWindowVisible(mainWindow));
  EXPECT_FALSE(app->mainWindow().HiddenToTray());
}

TEST_F(Tray, TheTaskbarButtonMinimisesToTheTrayOrTheTaskbarAndRestores) {
  for (bool tray : {true, false}) {
    Start({.tray = tray});
    // A click on the button of the active program: the taskbar minimises the button's window.
    SendMessageW(Button(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Settle();
    EXPECT_FALSE(IsWindowVisible(mainWindow)) << tray;
    EXPECT_EQ(app->mainWindow().HiddenToTray(), tray) << tray;
    EXPECT_EQ(ButtonShown(), !tray) << tray;
    if (tray)
      SendMessageW(mainWindow, WMAPP_TRAYICON, 0, WM_LBUTTONDBLCLK);
    else
      SendMessageW(Button(), WM_SYSCOMMAND, SC_RESTORE, 0);  // the next click
    Settle();
    EXPECT_TRUE(IsWindowVisible(mainWindow)) << tray;
    EXPECT_FALSE(IsIconic(mainWindow)) << tray;
    EXPECT_FALSE(ProgramMinimised()) << tray;
    TearDown();
  }
}

TEST_F(Tray, TheTaskbarButtonsCloseEndsTheProgramWhateverTheTrayOption) {
  for (bool tray : {true, false}) {
    Start({.tray = tray}, {{.text = "Задание", .status = 2}});
    // "Close window" on the taskbar: the system command goes to the window owning the button.
    PostMessageW(Button(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(mainWindow); })) << tray;
    EXPECT_EQ(WithoutSeenMoment(ReadBytes(dataIni)),
              DataIniText({.tray = tray}, {{.text = "Задание", .status = 2}}))
        << tray;
    TearDown();
  }
}

TEST_F(Tray, MenuCommandOneTogglesAndControlNotificationsAreLeftAlone) {
  Start({.tray = true});
  PostMessageW(mainWindow, WM_COMMAND, kCommandToggle, 0);
  Settle();
  EXPECT_FALSE(IsWindowVisible(mainWindow));
  EXPECT_EQ(ToggleText(), kRestore);
  PostMessageW(mainWindow, WM_COMMAND, kCommandToggle, 0);
  Settle();
  EXPECT_TRUE(IsWindowVisible(mainWindow));
  EXPECT_EQ(ToggleText(), kShow);

  // A control's notification with identifier 0 or 1 is not the menu's.
  SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(kCommandExit, 0), reinterpret_cast<LPARAM>(list));
  SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(kCommandToggle, 0),
               reinterpret_cast<LPARAM>(list));
  Settle();
  EXPECT_TRUE(IsWindow(mainWindow));
  EXPECT_TRUE(IsWindowVisible(mainWindow));
}

TEST_F(Tray, RightButtonOpensTheMenuWithItsCornerAtTheCursor) {
  Start({.tray = true});
  // The pointer where the menu fits on both sides, moved as the user's mouse moves it.
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(600, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = MulDiv(500, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &move, sizeof move);
  Settle();
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_NEAR(cursor.x, 600, 1);
  EXPECT_NEAR(cursor.y, 500, 1);
  std::atomic<bool> menuSeen{false};
  RECT menuRect{};
  std::thread closer([&] {
    for (int i = 0; i < 500 && !menuSeen; ++i) {
      HWND menu = FindWindowW(L"#32768", nullptr);
      if (menu && IsWindowVisible(menu)) {
        Sleep(50);
        GetWindowRect(menu, &menuRect);
        menuSeen = true;
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        Sleep(100);
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
      }
      Sleep(10);
    }
  });
  SendMessageW(mainWindow, WMAPP_TRAYICON, 1, WM_RBUTTONUP);  // returns when the menu has closed
  closer.join();
  ASSERT_TRUE(menuSeen);
  EXPECT_EQ(menuRect.right, cursor.x);
  EXPECT_EQ(menuRect.bottom, cursor.y);
  EXPECT_GT(menuRect.right - menuRect.left, 0);
  EXPECT_TRUE(IsWindowVisible(mainWindow));
  EXPECT_FALSE(app->mainWindow().HiddenToTray());
}

TEST_F(Tray, HidingCancelsAnOpenEditor) {
  Start({.tray = true}, {{.text = "Задание", .status = 2}});
  PostMessageW(mainWindow, WMAPP_TRAYICON, 0, WM_LBUTTONDBLCLK);
  const TaskEditor::Result result = app->editor().OpenForNew();  // the toggle runs in its loop
  EXPECT_FALSE(result.committed);
  EXPECT_FALSE(app->editor().IsOpen());
  EXPECT_FALSE(IsWindowVisible(mainWindow));
  std::lock_guard lock(app->store().mutex);
  EXPECT_EQ(app->store().tasks.size(), 1u);
}

// A shell that refuses the first `refusals` adds, as at logon before the taskbar is ready.
int refusals = 0;
int shellAdds = 0;
BOOL WINAPI SlowShell(DWORD message, PNOTIFYICONDATAW data) {
  if (message == NIM_ADD && refusals-- > 0) return FALSE;
  if (message == NIM_ADD) ++shellAdds;
  return Shell_NotifyIconW(message, data);
}

TEST_F(Tray, ARefusedIconIsAddedAgainOrTheHiddenWindowComesBack) {
  struct Case {
    int refusals;
    bool added, shown;
  } cases[] = {{2, true, false}, {5, false, true}};
  for (const Case& c : cases) {
    refusals = c.refusals;
    shellAdds = 0;
    ASSERT_NO_FATAL_FAILURE(
        CreateApplication({.tray = true, .startMinimised = true}, {}, [](Application& application) {
          application.SetStartupFolderSource([] { return std::wstring(); });
          application.mainWindow().Tray().SetNotifyFunction(&SlowShell);
          application.mainWindow().SetTrayRetry(20, 4);  // the start's add and four more
        }));
    PumpUntil([] { return false; }, std::chrono::milliseconds(400));
    EXPECT_EQ(shellAdds == 1, c.added) << c.refusals;
    EXPECT_EQ(IsWindowVisible(mainWindow) != FALSE, c.shown) << c.refusals;
    EXPECT_EQ(app->mainWindow().HiddenToTray(), !c.shown) << c.refusals;
    TearDown();
  }
}

TEST_F(Tray, ANewTaskbarGetsTheIconAgainWhenTheTrayOptionIsOn) {
  for (bool tray : {true, false}) {
    Start({.tray = tray});
    NOTIFYICONDATAW data = app->mainWindow().Tray().TrayData();
    Shell_NotifyIconW(NIM_DELETE, &data);  // the shell restarted without it
    SendMessageW(mainWindow, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(IconPresent(), tray) << tray;
    TearDown();
  }
}

TEST_F(Tray, ExitWritesDataIniOnceAndRemovesTheIcon) {
  Start({.tray = true}, {{.text = "Задание", .status = 2}});
  SetWindowPos(mainWindow, nullptr, 150, 100, 640, 500, SWP_NOZORDER);
  const NOTIFYICONDATAW data = app->mainWindow().Tray().TrayData();
  PostMessageW(mainWindow, WM_COMMAND, kCommandExit, 0);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(mainWindow); }));
  const auto saved = ReadBytes(dataIni);
  ASSERT_TRUE(saved);
  TestSettings expected{.x = 150, .y = 100, .width = 640, .height = 500, .tray = true};
  EXPECT_EQ(*WithoutSeenMoment(saved), DataIniText(expected, {{.text = "Задание", .status = 2}}));
  NOTIFYICONDATAW probe = data;
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
  // Nothing more is written afterwards.
  ASSERT_TRUE(WriteBytes(dataIni, "marker"));
  app.reset();
  EXPECT_EQ(ReadBytes(dataIni), "marker");
}

// A last save that fails at "Выход" asks to retry. "Отмена" keeps the program running, its
// checker too, with the change in memory; "Повторить" once the file takes writes saves and ends.
TEST_F(Tray, AFailedLastSaveAtExitAsksToRetryOrGoOn) {
  const TestTask paused{.ssec = 0, .showMessage = false, .sound = false, .status = 2};
  Start({.tray = true}, {paused});
  const std::string before = *ReadBytes(dataIni);
  ASSERT_TRUE(SetFileAttributesW(dataIni.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::wstring box = L" Vornakel|Cannot create file " + dataIni + L".";
  const auto exit = [&] { SendMessageW(mainWindow, WM_COMMAND, kCommandExit, 0); };
  // Once more after a retry that fails, then cancelled.
  std::vector<std::string> buttons;
  const std::vector<std::wstring> cancelled = AnswerEveryMessageBox(exit, IDCANCEL, [&] {
    const HWND shown = FindMessageBox(GetCurrentProcessId());
    wchar_t retry[32] = {}, cancel[32] = {};
    GetDlgItemTextW(shown, IDRETRY, retry, 32);
    GetDlgItemTextW(shown, IDCANCEL, cancel, 32);
    buttons.push_back(ToCp1251(retry) + "|" + ToCp1251(cancel));
    if (buttons.size() == 1) {
      PostMessageW(GetDlgItem(shown, IDRETRY), BM_CLICK, 0, 0);
      Sleep(300);
    }
  });
  EXPECT_EQ(cancelled, (std::vector<std::wstring>{box, box}));
  EXPECT_EQ(buttons, (std::vector<std::string>(2, "Повторить|Отмена")));
  EXPECT_TRUE(IsWindowVisible(mainWindow));
  EXPECT_TRUE(IconPresent());
  EXPECT_EQ(ReadBytes(dataIni), before);
  // A task activated now fires and saves: the checker runs again.
  SetFileAttributesW(dataIni.c_str(), FILE_ATTRIBUTE_NORMAL);
  {
    std::lock_guard lock(app->store().mutex);
    app->store().tasks[0].status = 1;
  }
  EXPECT_TRUE(
      PumpUntil([&] { return ReadBytes(dataIni)->find("Stat=3\r\n") != std::string::npos; }));

  // A change that only the retried save can write.
  ASSERT_TRUE(SetFileAttributesW(dataIni.c_str(), FILE_ATTRIBUTE_READONLY));
  {
    std::lock_guard lock(app->store().mutex);
    app->store().tasks[0].message = "Сохранено повтором";
  }
  const std::vector<std::wstring> retried = AnswerEveryMessageBox(
      exit, IDRETRY, [&] { SetFileAttributesW(dataIni.c_str(), FILE_ATTRIBUTE_NORMAL); });
  EXPECT_EQ(retried, std::vector<std::wstring>{box});
  EXPECT_FALSE(IsWindow(mainWindow));
  const std::optional<std::string> saved = ReadBytes(dataIni);
  ASSERT_TRUE(saved);
  EXPECT_NE(saved->find(
                "Tex=Сохранено повтором\r\nDel=0\r\nNM=0\r\nEx=0\r\nOFF=0\r\nSnd=0\r\nStat=3\r\n"),
            std::string::npos)
      << *saved;
}

TEST_F(Tray, EndOfSessionSavesAtTheQueryStopsAtTheEndAndTheLaterDestroyWritesNothing) {
  Start({.tray = true}, {{.text = "Задание", .status = 2}});
  EXPECT_TRUE(SendMessageW(mainWindow, WM_QUERYENDSESSION, 0, 0));
  EXPECT_EQ(WithoutSeenMoment(ReadBytes(dataIni)),
            DataIniText({.tray = true}, {{.text = "Задание", .status = 2}}));
  EXPECT_TRUE(IconPresent());
  SendMessageW(mainWindow, WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(IsWindowVisible(mainWindow));
  EXPECT_FALSE(IconPresent());
  EXPECT_FALSE(app->checker().Running());
  // Dialogs never opened are not created on the way out.
  EXPECT_FALSE(app->editor().Handle() || app->settingsDialog().Handle());
  // The stopped program takes no more commands.
  SendMessageW(mainWindow, WMAPP_TRAYICON, 0, WM_LBUTTONDBLCLK);
  EXPECT_FALSE(IsWindowVisible(mainWindow));
  ASSERT_TRUE(WriteBytes(dataIni, "marker"));
  SendMessageW(mainWindow, WM_QUERYENDSESSION, 0, 0);
  DestroyWindow(mainWindow);
  EXPECT_EQ(ReadBytes(dataIni), "marker");
}

TEST_F(Tray, ClosedByAnInstallerTheProgramSavesAndEnds) {
  Start({.tray = true}, {{.text = "Задание", .status = 2}});
  const LPARAM closeApp = ENDSESSION_CLOSEAPP;
  EXPECT_TRUE(SendMessageW(mainWindow, WM_QUERYENDSESSION, 0, closeApp));
  SendMessageW(mainWindow, WM_ENDSESSION, TRUE, closeApp);
  EXPECT_FALSE(IsWindow(mainWindow));
  EXPECT_FALSE(app->checker().Running());
  EXPECT_EQ(WithoutSeenMoment(ReadBytes(dataIni)),
            DataIniText({.tray = true}, {{.text = "Задание", .status = 2}}));
}

TEST_F(Tray, ACancelledEndOfSessionGoesOnAsBefore) {
  Start({.tray = true}, {{.text = "Задание", .status = 2}});
  ASSERT_TRUE(WriteBytes(dataIni, "marker"));
  EXPECT_TRUE(SendMessageW(mainWindow, WM_QUERYENDSESSION, 0, 0));
  EXPECT_EQ(WithoutSeenMoment(ReadBytes(dataIni)),
            DataIniText({.tray = true}, {{.text = "Задание", .status = 2}}));
  SendMessageW(mainWindow, WM_ENDSESSION, FALSE, 0);
  EXPECT_TRUE(IsWindowVisible(mainWindow));
  EXPECT_TRUE(IconPresent());
  EXPECT_TRUE(app->checker().Running());
  // It still takes commands: the toggle hides it to the tray.
  SendMessageW(mainWindow, WMAPP_TRAYICON, 0, WM_LBUTTONDBLCLK);
  Settle();
  EXPECT_FALSE(IsWindowVisible(mainWindow));
}

TEST_F(Tray, AFailedFinalSaveIsReportedButNeverHoldsUpTheEndOfTheSession) {
  Start({}, {{.text = "Задание", .status = 2}});
  ASSERT_TRUE(SetFileAttributesW(dataIni.c_str(), FILE_ATTRIBUTE_READONLY));
  // The answer comes at once, without a box in the way.
  EXPECT_EQ(SendMessageW(mainWindow, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(mainWindow, WM_ENDSESSION, FALSE, 0);
  const auto box = AnswerMessageBox([&] { PumpMessages(); }, IDOK);
  EXPECT_EQ(box, L" Vornakel|Cannot create file " + dataIni + L".");
  // The user goes on working.
  EXPECT_TRUE(IsWindowVisible(mainWindow));
  EXPECT_TRUE(app->checker().Running());
  SetFileAttributesW(dataIni.c_str(), FILE_ATTRIBUTE_NORMAL);
}

struct PlacementCase {
  const char* label;
  int x, y;
  bool kept;
};

TEST_F(Tray, AWindowRectangleOnNoScreenOpensCentred) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const PlacementCase cases[] = {
      {"on the screen", 100, 60, true},     {"partly off to the left", -600, 60, true},
      {"far right", 5000, 60, false},       {"far below", 100, 4000, false},
      {"far up left", -3000, -3000, false},
  };
  for (const PlacementCase& c : cases) {
    Start({.x = c.x, .y = c.y, .width = 700, .height = 520});
    RECT frame{};
    GetWindowRect(mainWindow, &frame);
    const int x = c.kept ? c.x : work.right / 2 - 350;
    const int y = c.kept ? c.y : work.bottom / 2 - 260;
    EXPECT_EQ(frame.left, x) << c.label;
    EXPECT_EQ(frame.top, y) << c.label;
    EXPECT_EQ(frame.right - frame.left, 700) << c.label;
    TearDown();
  }
}

}  // namespace
