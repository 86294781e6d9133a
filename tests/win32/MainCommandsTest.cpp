// The main window's commands through the real windows: add and edit with the editor, delete
// with the question, pause and activate, the list's menu, Escape, the layout, and the settings
// dialog. The checker is stopped so that nothing fires meanwhile; where the tests need its
// deletions, they make them themselves under the lock.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/DeleteTask.h"
#include "tests/support/ApplicationFixture.h"
#include "tests/support/DataIniText.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "ui/settings/SettingsDialog.h"
#include "win32/Text.h"
#include "win32/TrayIcon.h"

namespace {

using namespace std::chrono_literals;

const std::string kJunk = "not written since\r\n";

std::string WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return ToCp1251(text);
}

class MainCommands : public ApplicationFixture {
 protected:
  void Start(TestSettings settings, const std::vector<TestTask>& tasks = {}) {
    ASSERT_NO_FATAL_FAILURE(CreateApplication(settings, tasks, [this](Application& application) {
      application.SetStartupFolderSource([this] { return folder.Path(); });
    }));
    app->checker().Stop();
    PumpMessages();
    // From here a save shows in the file: it no longer holds these bytes.
    ASSERT_TRUE(WriteBytes(dataIni, kJunk));
  }

  Store& store() { return app->store(); }
  HWND EditorControlHandle(EditorControl control) { return app->editor().Control(control); }
  HWND SettingsControlHandle(SettingsControl control) {
    return app->settingsDialog().Control(control);
  }
  bool Saved() { return ReadBytes(dataIni) != kJunk; }
  std::string SavedText() { return ReadBytes(dataIni).value_or(""); }

  void Select(int row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = row >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageW(app->mainWindow().List().Handle(), LVM_SETITEMSTATE, row >= 0 ? row : -1,
                 reinterpret_cast<LPARAM>(&item));
  }
  int ListRows() {
    return static_cast<int>(
        SendMessageW(app->mainWindow().List().Handle(), LVM_GETITEMCOUNT, 0, 0));
  }
  std::string Cell(int row, int column) {
    std::lock_guard lock(store().mutex);
    return store().rows.Cell(row, column);
  }

  // Runs `action` on this thread while a helper waits for `window` to show and then runs
  // `onShown` once. A window still open 5 s later is closed with `fallback` so no test hangs.
  // The window and the fallback are looked up as the helper waits: a dialog's window is created
  // by its first opening.
  void WhileShown(const std::function<HWND()>& window, const std::function<void()>& action,
                  const std::function<void()>& onShown, const std::function<HWND()>& fallback) {
    std::atomic<bool> finished{false};
    std::atomic<bool> shown{false};
    std::thread helper([&] {
      const auto end = std::chrono::steady_clock::now() + 10s;
      while (!finished && std::chrono::steady_clock::now() < end) {
        if (IsWindowVisible(window())) {
          shown = true;
          onShown();
          const auto giveUp = std::chrono::steady_clock::now() + 5s;
          while (!finished && std::chrono::steady_clock::now() < giveUp) Sleep(10);
          while (!finished) {
            PostMessageW(fallback(), BM_CLICK, 0, 0);
            Sleep(50);
          }
          return;
        }
        Sleep(5);
      }
    });
    action();
    finished = true;
    helper.join();
    EXPECT_TRUE(shown) << "the window did not show";
  }
  void WithEditor(const std::function<void()>& action, const std::function<void()>& onShown) {
    WhileShown([this] { return app->editor().Handle(); }, action, onShown,
               [this] { return EditorControlHandle(EditorControl::Cancel); });
  }
  void WithSettings(const std::function<void()>& action, const std::function<void()>& onShown) {
    WhileShown([this] { return app->settingsDialog().Handle(); }, action, onShown,
               [this] { return SettingsControlHandle(SettingsControl::Cancel); });
  }
  void Type(EditorControl edit, const std::string& text) {
    SendMessageW(EditorControlHandle(edit), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(ToWide(text).c_str()));
  }
  void Press(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

  // A deletion made as the checker makes it after firing: under the lock, no question.
  void DeleteAsTheCheckerDoes(int index) {
    StoreLock lock(store().mutex);
    DeleteTask(store(), lock, app->platform(), index, true);
  }
  bool IconPresent() {
    NOTIFYICONDATAW data = app->mainWindow().Tray().TrayData();
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
  }
  std::wstring LinkPath() { return folder.File(L"vornakel_win32_tests.lnk"); }
  bool LinkExists() { return GetFileAttributesW(LinkPath().c_str()) != INVALID_FILE_ATTRIBUTES; }
};

TEST_F(MainCommands, ButtonsAndMenuHaveTheirTextsAndPlaces) {
  Start({}, {{.text = "Одно", .status = 2}});
  EXPECT_EQ(WindowText(app->mainWindow().AddButton()), "Добавить задание");
  EXPECT_EQ(WindowText(app->mainWindow().SettingsButton()), "Настройки");
  RECT client{};
  GetClientRect(mainWindow, &client);
  for (auto [button, left] :
       {std::pair{app->mainWindow().AddButton(), 3}, {app->mainWindow().SettingsButton(), 156}}) {
    RECT place{};
    GetWindowRect(button, &place);
    MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, left);
    EXPECT_EQ(place.top, client.bottom - 27);
    EXPECT_EQ(place.right - place.left, 151);
    EXPECT_EQ(place.bottom - place.top, 25);
  }
  RECT listPlace{};
  GetWindowRect(list, &listPlace);
  EXPECT_EQ(listPlace.right - listPlace.left, client.right);
  EXPECT_EQ(listPlace.bottom - listPlace.top, client.bottom - 31);

  const HMENU menu = app->mainWindow().ListMenu();
  const std::string texts[] = {"Добавить задание", "Редактировать задание", "Приостановить", "",
                               "Удалить задание"};
  ASSERT_EQ(GetMenuItemCount(menu), 5);
  for (int position = 0; position < 5; ++position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    EXPECT_EQ(ToCp1251(text), texts[position]) << position;
  }
}

TEST_F(MainCommands, AddWithTheEditorBuildsTheRowArmsAndSaves) {
  Start({}, {{.text = "Первое", .status = 2}});
  WithEditor([this] { app->mainWindow().AddTask(); },
             [this] {
               EXPECT_TRUE(app->editor().IsOpenForNewTask());
               EXPECT_EQ(WindowText(app->editor().Handle()), " Добавить новое задание");
               Type(EditorControl::Message, "Позвонить маме");
               Type(EditorControl::Hour, "8");
               Type(EditorControl::Minute, "30");
               Type(EditorControl::Second, "5");
               SendMessageW(EditorControlHandle(EditorControl::Recurrence), CB_SETCURSEL, 0, 0);
               Press(EditorControlHandle(EditorControl::Ok));
             });
  EXPECT_FALSE(app->editor().IsOpenForNewTask() || app->settingsDialog().IsOpen());
  {
    std::lock_guard lock(store().mutex);
    ASSERT_EQ(store().tasks.size(), 2u);
    const Task& task = store().tasks[1];
    EXPECT_EQ(task.message, "Позвонить маме");
    EXPECT_EQ(task.secondOfDay, 8 * 3600 + 30 * 60 + 5);
    EXPECT_EQ(task.recurrence, 0);
    EXPECT_EQ(task.armed, 1);
  }
  EXPECT_EQ(ListRows(), 2);
  EXPECT_EQ(Cell(1, 0), "2");
  EXPECT_EQ(Cell(1, 1), "Позвонить маме");
  const std::string saved = SavedText();
  EXPECT_NE(saved.find("TasksN=2\r\n"), std::string::npos);
  const size_t section = saved.find("[TASK1]\r\n");
  ASSERT_NE(section, std::string::npos);
  EXPECT_NE(saved.find("Tex=Позвонить маме\r\n", section), std::string::npos);
  EXPECT_NE(saved.find("Ssec=30605\r\n", section), std::string::npos);
  EXPECT_NE(saved.find("Mod=0\r\n", section), std::string::npos);
}

TEST_F(MainCommands, CancelledAddSavesOnlyWhenThereAreTasks) {
  for (const bool withTask : {false, true}) {
    std::vector<TestTask> tasks;
    if (withTask) tasks.push_back({.text = "Есть", .status = 2});
    Start({}, tasks);
    WithEditor([this] { app->mainWindow().AddTask(); },
               [this] {
                 Type(EditorControl::Message, "Не сохранять");
                 Press(EditorControlHandle(EditorControl::Cancel));
               });
    EXPECT_FALSE(app->editor().IsOpenForNewTask() || app->settingsDialog().IsOpen());
    EXPECT_EQ(Saved(), withTask) << withTask;
    {
      std::lock_guard lock(store().mutex);
      EXPECT_EQ(store().tasks.size(), withTask ? 1u : 0u);
      if (withTask) {
        EXPECT_EQ(store().tasks[0].armed, 1);
      }
    }
    app.reset();
  }
}

TEST_F(MainCommands, EditCommitsIntoTheTaskOpenedEvenWhenItsIndexMoved) {
  Start({}, {{.text = "Первое", .status = 2}, {.text = "Второе", .status = 2}});
  Select(1);
  WithEditor([this] { app->mainWindow().EditSelectedTask(); },
             [this] {
               EXPECT_EQ(WindowText(app->editor().Handle()), " Редактировать задание № 2");
               EXPECT_FALSE(app->editor().IsOpenForNewTask() || app->settingsDialog().IsOpen());
               {
                 std::lock_guard lock(store().mutex);
                 EXPECT_EQ(store().tasks[1].armed, 0);
               }
               // The first task fires and deletes itself while the editor is open.
               DeleteAsTheCheckerDoes(0);
               Type(EditorControl::Message, "Второе исправлено");
               Press(EditorControlHandle(EditorControl::Ok));
             });
  std::lock_guard lock(store().mutex);
  ASSERT_EQ(store().tasks.size(), 1u);
  EXPECT_EQ(store().tasks[0].message, "Второе исправлено");
  EXPECT_EQ(store().tasks[0].armed, 1);
  EXPECT_EQ(store().rows.Cell(0, 1), "Второе исправлено");
  EXPECT_EQ(store().rows.Cell(0, 0), "1");
  EXPECT_NE(SavedText().find("Tex=Второе исправлено\r\n"), std::string::npos);
  EXPECT_EQ(SavedText().find("Первое"), std::string::npos);
}

TEST_F(MainCommands, CancelledEditRearmsKeepsTheRowAndSaves) {
  Start({}, {{.text = "Первое", .status = 2}});
  Select(0);
  WithEditor([this] { app->mainWindow().OnListDoubleClick(); },
             [this] {
               Type(EditorControl::Message, "Изменено");
               Press(EditorControlHandle(EditorControl::Cancel));
             });
  EXPECT_TRUE(Saved());
  std::lock_guard lock(store().mutex);
  EXPECT_EQ(store().tasks[0].message, "Первое");
  EXPECT_EQ(store().tasks[0].armed, 1);
  EXPECT_EQ(store().rows.Cell(0, 1), "Первое");
}

TEST_F(MainCommands, TrayAddWhileTheEditorIsOpenOpensNoSecondEditor) {
  Start({}, {{.text = "Первое", .status = 2}});
  Select(0);
  std::atomic<bool> trayAddReturned{false};
  WithEditor([this] { app->mainWindow().EditSelectedTask(); },
             [&] {
               // The tray menu stays usable while the editor is open.
               SendMessageW(mainWindow, WM_COMMAND, kCommandAddTask, 0);
               trayAddReturned = true;
               Type(EditorControl::Message, "Своё");
               Press(EditorControlHandle(EditorControl::Ok));
             });
  EXPECT_TRUE(trayAddReturned);
  std::lock_guard lock(store().mutex);
  ASSERT_EQ(store().tasks.size(), 1u);
  EXPECT_EQ(store().tasks[0].message, "Своё");
  EXPECT_EQ(store().tasks[0].armed, 1);
}

TEST_F(MainCommands, DeleteFromTheMenuSavesWhateverTheAnswer) {
  Start({}, {{.text = "Первое", .status = 2}, {.text = "Второе", .status = 2}});
  Select(1);
  auto boxes = AnswerEveryMessageBox([this] { app->mainWindow().DeleteSelectedTask(); }, IDNO);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(ToCp1251(boxes[0]), "Подтвердите удаление задания|Удалить задание № 2 ?");
  EXPECT_TRUE(Saved());
  EXPECT_EQ(ListRows(), 2);

  ASSERT_TRUE(WriteBytes(dataIni, kJunk));
  Select(1);
  boxes = AnswerEveryMessageBox([this] { app->mainWindow().DeleteSelectedTask(); }, IDYES);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(ListRows(), 1);
  EXPECT_NE(SavedText().find("TasksN=1\r\n"), std::string::npos);
  EXPECT_EQ(SavedText().find("Второе"), std::string::npos);
}

TEST_F(MainCommands, DeleteKeyRemovesAndSavesAndNoKeepsAll) {
  Start({}, {{.text = "Первое", .status = 2}, {.text = "Второе", .status = 2}});
  Select(0);
  AnswerEveryMessageBox([this] { app->mainWindow().OnListKeyDown(VK_DELETE); }, IDNO);
  EXPECT_EQ(ListRows(), 2);
  AnswerEveryMessageBox([this] { app->mainWindow().OnListKeyDown(VK_DELETE); }, IDYES);
  EXPECT_EQ(ListRows(), 1);
  EXPECT_EQ(Cell(0, 1), "Второе");
  EXPECT_EQ(Cell(0, 0), "1");
  // Saved at once, as the menu's delete does: a crash cannot bring the task back.
  EXPECT_NE(SavedText().find("TasksN=1\r\n"), std::string::npos);
  // Other keys do nothing.
  const auto boxes = AnswerEveryMessageBox([this] { app->mainWindow().OnListKeyDown('D'); }, IDYES);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(ListRows(), 1);
}

TEST_F(MainCommands, DeleteConfirmedAfterTheIndexMovedDeletesTheTaskAskedAbout) {
  Start({}, {{.text = "Первое", .status = 2},
             {.text = "Второе", .status = 2},
             {.text = "Третье", .status = 2}});
  Select(1);
  // The checker deletes the first task while the question is open.
  const auto boxes = AnswerEveryMessageBox([&] { app->mainWindow().DeleteSelectedTask(); }, IDYES,
                                           [&] { DeleteAsTheCheckerDoes(0); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(ToCp1251(boxes[0]), "Подтвердите удаление задания|Удалить задание № 2 ?");
  std::lock_guard lock(store().mutex);
  ASSERT_EQ(store().tasks.size(), 1u);
  EXPECT_EQ(store().tasks[0].message, "Третье");
}

TEST_F(MainCommands, PauseAndActivateWalkTheStatusesAndSave) {
  Start({}, {{.text = "А", .status = 0},
             {.text = "Б", .status = 1},
             {.text = "В", .status = 2},
             {.text = "Г", .status = 2},
             {.text = "Д", .status = 3}});
  {
    std::lock_guard lock(store().mutex);
    store().tasks[3].doneThisPeriod = 1;  // paused after it ran today
  }
  const std::pair<int, const char*> expected[] = {{1, "Активно"},
                                                  {2, "Приостановлено"},
                                                  {1, "Активно"},
                                                  {3, "Выполнено на сегодня"},
                                                  {2, "Приостановлено"}};
  for (int row = 0; row < 5; ++row) {
    ASSERT_TRUE(WriteBytes(dataIni, kJunk));
    Select(row);
    app->mainWindow().PauseOrActivateSelectedTask();
    EXPECT_EQ(Cell(row, 4), expected[row].second) << row;
    {
      std::lock_guard lock(store().mutex);
      EXPECT_EQ(store().tasks[row].status, expected[row].first) << row;
    }
    const std::string saved = SavedText();
    const size_t section = saved.find("[TASK" + std::to_string(row) + "]");
    ASSERT_NE(section, std::string::npos) << row;
    EXPECT_NE(saved.find("Stat=" + std::to_string(expected[row].first), section), std::string::npos)
        << row;
  }
  // Without a selected row nothing is saved.
  ASSERT_TRUE(WriteBytes(dataIni, kJunk));
  Select(-1);
  app->mainWindow().PauseOrActivateSelectedTask();
  EXPECT_FALSE(Saved());
}

// The tip the shell was last given.
std::wstring shellTip;
BOOL WINAPI RecordingShell(DWORD message, PNOTIFYICONDATAW data) {
  if (message != NIM_DELETE) shellTip = data->szTip;
  return Shell_NotifyIconW(message, data);
}

// The tray icon's tip names what comes next, and follows a change of the table within a second.
TEST_F(MainCommands, TheTrayTipFollowsAPause) {
  Start({.tray = true},
        {{.recurrence = 10, .year = 2030, .month = 12, .day = 12, .text = "Интернет"},
         {.recurrence = 10, .year = 2029, .month = 1, .day = 5, .text = "Раньше"}});
  EXPECT_EQ(ToCp1251(app->mainWindow().Tray().TrayData().szTip),
            "Vornakel\nСледующее: 05.01.2029 09:00 Раньше");
  app->mainWindow().Tray().SetNotifyFunction(&RecordingShell);
  Select(1);
  app->mainWindow().PauseOrActivateSelectedTask();
  EXPECT_TRUE(PumpUntil(
      [&] { return ToCp1251(shellTip) == "Vornakel\nСледующее: 12.12.2030 09:00 Интернет"; },
      std::chrono::seconds(3)))
      << ToCp1251(shellTip);
}

TEST_F(MainCommands, MenuPreparationFollowsTheSelection) {
  Start({}, {{.text = "А", .status = 2}});
  const HMENU menu = app->mainWindow().ListMenu();
  auto grayed = [menu](UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
  auto n7Text = [menu] {
    wchar_t text[64] = {};
    GetMenuStringW(menu, kMenuPauseOrActivate, text, 64, MF_BYCOMMAND);
    return ToCp1251(text);
  };
  Select(0);
  app->mainWindow().UpdateListMenu();
  EXPECT_FALSE(grayed(kMenuEditTask));
  EXPECT_FALSE(grayed(kMenuDeleteTask));
  EXPECT_FALSE(grayed(kMenuPauseOrActivate));
  EXPECT_EQ(n7Text(), "Активировать");

  Select(-1);
  app->mainWindow().UpdateListMenu();
  EXPECT_FALSE(grayed(kMenuAddTask));
  EXPECT_TRUE(grayed(kMenuEditTask));
  EXPECT_TRUE(grayed(kMenuDeleteTask));
  EXPECT_TRUE(grayed(kMenuPauseOrActivate));
  EXPECT_EQ(n7Text(), "Приостановить");
  // The commands on a row do nothing without one.
  app->mainWindow().EditSelectedTask();
  app->mainWindow().DeleteSelectedTask();
  EXPECT_FALSE(Saved());
  EXPECT_FALSE(IsWindowVisible(app->editor().Handle()));
}

TEST_F(MainCommands, EscapeWithoutDialogMinimisesOrHidesToTheTray) {
  for (const bool tray : {false, true}) {
    Start({.tray = tray}, {{.text = "А", .status = 2}});
    ASSERT_TRUE(IsWindowVisible(mainWindow));
    MSG escape{};
    escape.hwnd = mainWindow;
    escape.message = WM_KEYDOWN;
    escape.wParam = VK_ESCAPE;
    app->PreviewMessage(escape);
    const auto minimised = [&] { return app->mainWindow().Taskbar().ProgramMinimised(); };
    PumpUntil([&] { return tray ? !IsWindowVisible(mainWindow) : minimised(); }, 3s);
    EXPECT_FALSE(IsWindowVisible(mainWindow));
    EXPECT_EQ(app->mainWindow().HiddenToTray(), tray);
    EXPECT_EQ(minimised(), !tray);
    app.reset();
  }
}

TEST_F(MainCommands, EscapeInTheEditorCancelsTheAdd) {
  Start({}, {{.text = "А", .status = 2}});
  WithEditor([this] { app->mainWindow().AddTask(); },
             [this] {
               Type(EditorControl::Message, "Не будет");
               PostMessageW(EditorControlHandle(EditorControl::Message), WM_KEYDOWN, VK_ESCAPE, 0);
             });
  EXPECT_FALSE(app->editor().IsOpenForNewTask() || app->settingsDialog().IsOpen());
  std::lock_guard lock(store().mutex);
  EXPECT_EQ(store().tasks.size(), 1u);
}

TEST_F(MainCommands, EscapeInTheEditorOpenedForEditHidesToTheTrayAsACancel) {
  Start({.tray = true}, {{.text = "Первое", .status = 2}});
  Select(0);
  WithEditor([this] { app->mainWindow().EditSelectedTask(); },
             [this] {
               Type(EditorControl::Message, "Не сохранится");
               PostMessageW(EditorControlHandle(EditorControl::Message), WM_KEYDOWN, VK_ESCAPE, 0);
             });
  PumpUntil([this] { return !IsWindowVisible(mainWindow); }, 3s);
  EXPECT_FALSE(IsWindowVisible(mainWindow));
  EXPECT_TRUE(app->mainWindow().HiddenToTray());
  EXPECT_FALSE(IsWindowVisible(app->editor().Handle()));
  EXPECT_TRUE(Saved());
  std::lock_guard lock(store().mutex);
  EXPECT_EQ(store().tasks[0].message, "Первое");
  EXPECT_EQ(store().tasks[0].armed, 1);
}

TEST_F(MainCommands, EscapeWithAListDroppedClosesOnlyTheList) {
  Start({}, {{.text = "А", .status = 2}});
  // A click on a drop-down list focuses it and drops it down.
  const auto dropDown = [](HWND comboBox) {
    SendMessageW(comboBox, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(comboBox, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    return SendMessageW(comboBox, CB_GETDROPPEDSTATE, 0, 0) != 0;
  };
  for (EditorControl control :
       {EditorControl::Recurrence, EditorControl::Month, EditorControl::Day}) {
    WithEditor([this] { app->mainWindow().AddTask(); },
               [&] {
                 const HWND comboBox = EditorControlHandle(control);
                 // "Единожды", the last choice, enables the month and the day.
                 const HWND recurrence = EditorControlHandle(EditorControl::Recurrence);
                 SendMessageW(recurrence, CB_SETCURSEL,
                              SendMessageW(recurrence, CB_GETCOUNT, 0, 0) - 1, 0);
                 SendMessageW(app->editor().Handle(), WM_COMMAND,
                              MAKEWPARAM(GetDlgCtrlID(recurrence), CBN_SELCHANGE),
                              reinterpret_cast<LPARAM>(recurrence));
                 Type(EditorControl::Message, "Набранное");
                 ASSERT_TRUE(dropDown(comboBox)) << GetDlgCtrlID(comboBox);
                 PostMessageW(comboBox, WM_KEYDOWN, VK_ESCAPE, 0);
                 Sleep(300);
                 // Asked first: once the editor has closed, its thread waits for this one and
                 // answers nothing.
                 ASSERT_TRUE(IsWindowVisible(app->editor().Handle())) << GetDlgCtrlID(comboBox);
                 EXPECT_FALSE(SendMessageW(comboBox, CB_GETDROPPEDSTATE, 0, 0));
                 EXPECT_EQ(WindowText(EditorControlHandle(EditorControl::Message)), "Набранное");
                 // With the list closed, Escape cancels the new task as before.
                 PostMessageW(comboBox, WM_KEYDOWN, VK_ESCAPE, 0);
               });
    EXPECT_FALSE(app->editor().IsOpenForNewTask());
  }
  // A popup's duration list: the main window stays; Escape in the popup then minimises it.
  const HWND popup = app->popups().ShowReminder(" 1 мая", "Текст");
  const HWND durations = GetDlgItem(popup, 1);
  ASSERT_TRUE(dropDown(durations));
  for (const bool dropped : {true, false}) {
    PostMessageW(durations, WM_KEYDOWN, VK_ESCAPE, 0);
    // As the main loop: its hook sees each message first.
    const auto end = std::chrono::steady_clock::now() + 500ms;
    for (MSG message{}; std::chrono::steady_clock::now() < end; Sleep(10)) {
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        app->PreviewMessage(message);
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    EXPECT_FALSE(SendMessageW(durations, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(IsWindowVisible(mainWindow) != FALSE, dropped);
  }
  std::lock_guard lock(store().mutex);
  EXPECT_EQ(store().tasks.size(), 1u);
}

TEST_F(MainCommands, EnterPressesTheFocusedButtonAndOpensTheSelectedRowsTask) {
  Start({}, {{.text = "А", .status = 2}});
  const auto enterOn = [this](HWND target) {
    SetFocus(target);
    const MSG enter{target, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    return app->mainWindow().TakeDialogKey(enter);
  };
  WithEditor([&] { EXPECT_TRUE(enterOn(app->mainWindow().AddButton())); },
             [this] {
               EXPECT_TRUE(app->editor().IsOpenForNewTask());
               Press(EditorControlHandle(EditorControl::Cancel));
             });
  WithSettings([&] { EXPECT_TRUE(enterOn(app->mainWindow().SettingsButton())); },
               [this] { Press(SettingsControlHandle(SettingsControl::Cancel)); });
  Select(0);
  WithEditor([&] { EXPECT_TRUE(enterOn(list)); },
             [this] {
               EXPECT_EQ(WindowText(app->editor().Handle()), " Редактировать задание № 1");
               Press(EditorControlHandle(EditorControl::Cancel));
             });
  // No row selected: the list has the key.
  Select(-1);
  EXPECT_FALSE(enterOn(list));
  EXPECT_FALSE(IsWindowVisible(app->editor().Handle()));
}

TEST_F(MainCommands, SettingsOkSwitchesTheTrayIconAndTheShortcutAndSaves) {
  Start({}, {{.text = "А", .status = 2}});
  EXPECT_FALSE(IconPresent());
  EXPECT_FALSE(LinkExists());
  WithSettings([this] { app->mainWindow().OpenSettings(); },
               [this] {
                 EXPECT_TRUE(app->settingsDialog().IsOpen());
                 EXPECT_EQ(WindowText(app->settingsDialog().Handle()), " Настройки");
                 SendMessageW(SettingsControlHandle(SettingsControl::StartWithWindows), BM_CLICK, 0,
                              0);
                 SendMessageW(SettingsControlHandle(SettingsControl::UseTray), BM_CLICK, 0, 0);
                 SendMessageW(SettingsControlHandle(SettingsControl::StartHidden), BM_CLICK, 0, 0);
                 Press(SettingsControlHandle(SettingsControl::Ok));
               });
  EXPECT_FALSE(app->editor().IsOpenForNewTask() || app->settingsDialog().IsOpen());
  EXPECT_TRUE(IconPresent());
  EXPECT_TRUE(LinkExists());
  EXPECT_NE(SavedText().find("SMin=1\r\nLn0="), std::string::npos);
  {
    std::lock_guard lock(store().mutex);
    EXPECT_EQ(store().settings.startWithWindows, 1);
    EXPECT_EQ(store().settings.useTray, 1);
    EXPECT_EQ(store().settings.startHidden, 1);
  }
  // Opening again shows the options; turning two off removes the icon and the shortcut.
  WithSettings(
      [this] { app->mainWindow().OpenSettings(); },
      [this] {
        EXPECT_EQ(
            SendMessageW(SettingsControlHandle(SettingsControl::StartHidden), BM_GETCHECK, 0, 0),
            BST_CHECKED);
        SendMessageW(SettingsControlHandle(SettingsControl::StartWithWindows), BM_CLICK, 0, 0);
        SendMessageW(SettingsControlHandle(SettingsControl::UseTray), BM_CLICK, 0, 0);
        // Enter on a check box is OK.
        PostMessageW(SettingsControlHandle(SettingsControl::UseTray), WM_KEYDOWN, VK_RETURN, 0);
      });
  EXPECT_FALSE(IconPresent());
  EXPECT_FALSE(LinkExists());
  EXPECT_NE(SavedText().find("WinS=0\r\nTray=0\r\n"), std::string::npos);
  EXPECT_NE(SavedText().find("SMin=1\r\n"), std::string::npos);
}

TEST_F(MainCommands, SettingsCancelEscapeAndCloseBoxChangeNothing) {
  Start({}, {{.text = "А", .status = 2}});
  const std::function<void()> closers[] = {
      [this] { Press(SettingsControlHandle(SettingsControl::Cancel)); },
      [this] {
        PostMessageW(SettingsControlHandle(SettingsControl::StartWithWindows), WM_KEYDOWN,
                     VK_ESCAPE, 0);
      },
      [this] { PostMessageW(app->settingsDialog().Handle(), WM_CLOSE, 0, 0); },
  };
  for (const auto& close : closers) {
    WithSettings([this] { app->mainWindow().OpenSettings(); },
                 [&] {
                   SendMessageW(SettingsControlHandle(SettingsControl::StartWithWindows), BM_CLICK,
                                0, 0);
                   SendMessageW(SettingsControlHandle(SettingsControl::UseTray), BM_CLICK, 0, 0);
                   close();
                 });
    EXPECT_FALSE(app->editor().IsOpenForNewTask() || app->settingsDialog().IsOpen());
    EXPECT_FALSE(IsWindowVisible(app->settingsDialog().Handle()));
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_FALSE(IconPresent());
    EXPECT_FALSE(LinkExists());
    std::lock_guard lock(store().mutex);
    EXPECT_EQ(store().settings.startWithWindows, 0);
    EXPECT_EQ(store().settings.useTray, 0);
  }
  EXPECT_FALSE(Saved());
}

TEST_F(MainCommands, AddClosesTheSettingsDialogAndRestoresAHiddenWindowFirst) {
  Start({.tray = true, .startMinimised = true}, {{.text = "А", .status = 2}});
  ASSERT_FALSE(IsWindowVisible(mainWindow));
  WithEditor([this] { SendMessageW(mainWindow, WM_COMMAND, kCommandAddTask, 0); },
             [this] {
               EXPECT_TRUE(IsWindowVisible(mainWindow));
               EXPECT_FALSE(app->mainWindow().HiddenToTray());
               RECT main{}, editor{};
               GetWindowRect(mainWindow, &main);
               GetWindowRect(app->editor().Handle(), &editor);
               EXPECT_EQ(editor.left, main.left + (main.right - main.left) / 2 -
                                          (editor.right - editor.left) / 2);
               EXPECT_EQ(editor.top, main.top + (main.bottom - main.top) / 2 -
                                         (editor.bottom - editor.top) / 2);
               Press(EditorControlHandle(EditorControl::Cancel));
             });
  // From the settings dialog: the add command closes it as a cancel and opens the editor.
  WithSettings(
      [this] { app->mainWindow().OpenSettings(); },
      [this] {
        SendMessageW(SettingsControlHandle(SettingsControl::StartWithWindows), BM_CLICK, 0, 0);
        PostMessageW(mainWindow, WM_COMMAND, kCommandAddTask, 0);
        const auto end = std::chrono::steady_clock::now() + 5s;
        while (!IsWindowVisible(app->editor().Handle()) && std::chrono::steady_clock::now() < end)
          Sleep(5);
        EXPECT_FALSE(IsWindowVisible(app->settingsDialog().Handle()));
        EXPECT_TRUE(app->editor().IsOpenForNewTask());
        Press(EditorControlHandle(EditorControl::Cancel));
      });
  EXPECT_FALSE(app->editor().IsOpenForNewTask() || app->settingsDialog().IsOpen());
  EXPECT_TRUE(IsWindowEnabled(mainWindow));
  std::lock_guard lock(store().mutex);
  EXPECT_EQ(store().settings.startWithWindows, 0);
}

TEST_F(MainCommands, ResizingKeepsTheListAndButtonsInPlace) {
  Start({}, {{.text = "А", .status = 2}});
  SetWindowPos(mainWindow, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  SetWindowPos(mainWindow, nullptr, 0, 0, 640, 600, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages();
  RECT client{}, button{}, listPlace{};
  GetClientRect(mainWindow, &client);
  GetWindowRect(app->mainWindow().SettingsButton(), &button);
  MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&button), 2);
  GetWindowRect(list, &listPlace);
  EXPECT_EQ(button.top, client.bottom - 27);
  EXPECT_EQ(button.left, 156);
  EXPECT_EQ(listPlace.right - listPlace.left, client.right);
  EXPECT_EQ(listPlace.bottom - listPlace.top, client.bottom - 31);
}

TEST_F(MainCommands, WheelScrollsTheListOnlyWithThePointerOverIt) {
  std::vector<TestTask> tasks(60, TestTask{.text = "Строка", .status = 2});
  Start({}, tasks);
  auto top = [this] { return static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0)); };
  RECT button{};
  GetWindowRect(app->mainWindow().AddButton(), &button);
  app->mainWindow().OnMouseWheel(-1200, {button.left + 5, button.top + 5});
  EXPECT_EQ(top(), 0);
  RECT inside{};
  GetWindowRect(list, &inside);
  const POINT middle{(inside.left + inside.right) / 2, (inside.top + inside.bottom) / 2};
  app->mainWindow().OnMouseWheel(-1200, middle);  // toward the user: 108 pixels down
  const int scrolled = top();
  EXPECT_GT(scrolled, 0);
  app->mainWindow().OnMouseWheel(1200, middle);
  EXPECT_LT(top(), scrolled);
}

}  // namespace

TEST_F(MainCommands, TabMovesBetweenTheListAndTheButtonsAndTypingFindsARow) {
  Start({}, {{.text = "Позвонить", .status = 2},
             {.text = "аптека", .status = 2},
             {.text = "Оплатить", .status = 2}});
  SetFocus(list);
  for (HWND next : {app->mainWindow().AddButton(), app->mainWindow().SettingsButton(), list}) {
    const MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(app->mainWindow().TakeDialogKey(tab));
    EXPECT_EQ(GetFocus(), next);
  }
  // A letter selects the first row whose message begins with it; one that no message begins
  // with leaves the selection alone.
  SendMessageW(list, WM_CHAR, L'о', 1);
  PumpMessages();
  EXPECT_EQ(app->mainWindow().SelectedIndex(), 2);
  SendMessageW(list, WM_CHAR, L'я', 1);
  PumpMessages();
  EXPECT_EQ(app->mainWindow().SelectedIndex(), 2);
}
