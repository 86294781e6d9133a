// Opening the editor for a new task and for an edit, and closing it: the fill order, the modal
// run, OK, Cancel, the close box and Escape, a field that is not a number at OK, and an edit
// whose task has moved while the editor was open.
#include "tests/win32/TaskEditorFixture.h"

namespace {

using C = EditorControl;

TEST_F(EditorTest, ANewTaskStartsFromTheRememberedValues) {
  editorWindow.Remembered().hour = 7;
  editorWindow.Remembered().minute = 5;
  editorWindow.Remembered().second = 9;
  {
    std::lock_guard lock(store.mutex);
    store.settings.lastFileFolder = "C:\\Папка\\";
  }
  editorWindow.SoundChooser().fileName = "C:\\старый.wav";  // from an earlier opening
  SetCheckState(Control(C::RepeatSound), true);
  SetCheckState(Control(C::Wake), true);
  Show();
  Choose(C::Recurrence, EveryYear);  // the recurrence shown last is kept
  editorWindow.Cancel();
  editorWindow.FillForNew();
  EXPECT_EQ(Caption(), L" Добавить новое задание");
  EXPECT_EQ(editorWindow.EditedTaskId(), 0u);
  EXPECT_EQ(Text(C::Message), L"");
  EXPECT_EQ(Text(C::Year), L"2024");
  EXPECT_EQ(Selected(C::Month), 2);
  EXPECT_EQ(Moment().month, 3);  // not overwritten by the month logic that the year ran
  EXPECT_EQ(Selected(C::Day), 13);
  EXPECT_EQ(Text(C::Hour), L"7");
  EXPECT_EQ(Text(C::Minute), L"5");
  EXPECT_EQ(Text(C::Second), L"9");
  EXPECT_EQ(ArrowsAt(C::HourArrows), 7);
  EXPECT_EQ(ArrowsAt(C::YearArrows), 2024);
  EXPECT_EQ(Selected(C::Recurrence), EveryYear);
  EXPECT_TRUE(Enabled(C::Month));  // the recurrence logic ran
  EXPECT_FALSE(Enabled(C::Year));
  for (C box : {C::DeleteAfter, C::ShutDown, C::RunFile, C::Wake}) EXPECT_FALSE(Checked(box));
  for (C box : {C::Beep, C::ShowMessage}) EXPECT_TRUE(Checked(box));
  EXPECT_FALSE(Checked(C::RepeatSound));
  EXPECT_EQ(Text(C::SoundFile), L"Мелодия");
  EXPECT_EQ(editorWindow.SoundChooser().fileName, "");
  EXPECT_EQ(Text(C::FileName), L"");
  EXPECT_FALSE(Enabled(C::FileName));  // the run-file logic ran
  EXPECT_FALSE(Enabled(C::ChooseFile));
  EXPECT_EQ(editorWindow.Chooser().initialFolder, "C:\\Папка\\");
}

TEST_F(EditorTest, ANewTaskIsCentredOverTheMainWindow) {
  editorWindow.FillForNew();
  RECT main{}, editor{};
  GetWindowRect(owner, &main);
  GetWindowRect(editorWindow.Handle(), &editor);
  const int width = editor.right - editor.left;
  const int height = editor.bottom - editor.top;
  EXPECT_EQ(editor.left, main.left + (main.right - main.left) / 2 - width / 2);
  EXPECT_EQ(editor.top, main.top + (main.bottom - main.top) / 2 - height / 2);
}

TEST_F(EditorTest, AnEditShowsTheRecordWithItsOwnDay) {
  store.tasks.push_back(StoredTask(EveryDay, 30600, 2024, 1, 1, "первое"));
  store.tasks.push_back(StoredTask(EveryMonth, 45296, 2023, 6, 31, "Оплатить\r\nсчета"));
  store.tasks[1].soundChoice = {"D:\\Звуки\\гонг.wav", true};
  store.tasks[1].wake = true;
  // The editor showed a 30-day month before.
  Show();
  Choose(C::Recurrence, Once);
  Choose(C::Month, 3);
  Choose(C::Day, 29);
  editorWindow.Cancel();

  // No warning about the 31st: filling the fields is not the user's choice.
  EXPECT_EQ(BoxesDuring([&] { ASSERT_TRUE(editorWindow.FillForEdit(1)); }),
            std::vector<std::wstring>{});
  EXPECT_EQ(Caption(), L" Редактировать задание № 2");
  EXPECT_EQ(editorWindow.EditedTaskId(), store.tasks[1].id);
  EXPECT_EQ(store.tasks[1].armed, 0);
  EXPECT_EQ(store.tasks[0].armed, 1);
  EXPECT_EQ(Text(C::Message), L"Оплатить\r\nсчета");
  EXPECT_EQ(Text(C::Hour), L"12");
  EXPECT_EQ(Text(C::Minute), L"34");
  EXPECT_EQ(Text(C::Second), L"56");
  EXPECT_EQ(Text(C::Year), L"2023");
  EXPECT_EQ(Selected(C::Recurrence), EveryMonth);
  EXPECT_EQ(Selected(C::Month), 5);
  EXPECT_EQ(ItemCount(C::Day), 31);
  EXPECT_EQ(Selected(C::Day), 30);
  EXPECT_EQ(Moment().day, 31);
  EXPECT_FALSE(Enabled(C::DeleteAfter));
  EXPECT_EQ(Text(C::SoundFile), L"гонг.wav");
  EXPECT_EQ(editorWindow.SoundChooser().fileName, "D:\\Звуки\\гонг.wav");
  EXPECT_TRUE(Checked(C::RepeatSound));
  EXPECT_TRUE(Checked(C::Wake));
  EXPECT_TRUE(Enabled(C::Melody));
}

// An edit shows each rule and its warning in the rule's controls, and OK writes them back as
// they were.
TEST_F(EditorTest, AnEditShowsEachRuleAndOkKeepsIt) {
  const std::pair<RepeatRule, int> cases[] = {
      {{EveryNMinutes, 45, 0, 64800}, kEveryNMinutesItem},
      {{EveryNHours, 24, WeekdayBit(0) | WeekdayBit(6), 3723}, kEveryNHoursItem},
      {{OnWeekdays, 0, 42, 86399}, kOnWeekdaysItem},
      {{OnWeekdays, 0, kWorkingDays, 86399}, kWorkingDaysItem},
      {{NthWeekdayOfMonth, kLastOfMonth, WeekdayBit(0), 86399}, kNthWeekdayItem},
      {{EveryNDays, 366, 0, 86399}, kEveryNDaysItem},
  };
  store.tasks.push_back(StoredTask(EveryDay, 30600, 2024, 1, 1, "правило"));
  for (const auto& [rule, item] : cases) {
    store.tasks[0].rule = rule;
    store.tasks[0].warnMinutes = item * 60;
    ASSERT_TRUE(editorWindow.FillForEdit(0));
    Show();
    EXPECT_EQ(Selected(C::Recurrence), item);
    editorWindow.Ok();
    EXPECT_EQ(store.tasks[0].rule, rule) << item;
    EXPECT_EQ(store.tasks[0].warnMinutes, item * 60) << item;
  }
}

TEST_F(EditorTest, AnEditOfAShutdownTaskThatRunsAFile) {
  Task task = StoredTask(Once, 37815, 2024, 2, 29, "Выключить");
  task.runFile = 1;
  task.shutDown = 1;
  task.deleteAfter = 1;
  task.beep = 0;
  task.fileName = "C:\\Программы\\открытка.exe";
  store.tasks.push_back(task);
  EXPECT_TRUE(BoxesDuring([&] { ASSERT_TRUE(editorWindow.FillForEdit(0)); }).empty());
  EXPECT_EQ(Text(C::FileName), L"открытка.exe");
  EXPECT_EQ(editorWindow.Chooser().fileName, "C:\\Программы\\открытка.exe");
  EXPECT_EQ(editorWindow.Chooser().initialFolder, "C:\\Программы\\");
  EXPECT_EQ(Selected(C::Month), 1);
  EXPECT_EQ(ItemCount(C::Day), 29);
  EXPECT_EQ(Selected(C::Day), 28);
  EXPECT_TRUE(Checked(C::DeleteAfter));
  EXPECT_TRUE(Enabled(C::DeleteAfter));
  EXPECT_TRUE(Checked(C::ShutDown));
  EXPECT_TRUE(Checked(C::RunFile));
  EXPECT_FALSE(Checked(C::Beep));
  // The shutdown box's handler ran when the fill checked it.
  EXPECT_FALSE(Enabled(C::RunFile));
  EXPECT_FALSE(Enabled(C::Beep));
  EXPECT_FALSE(Enabled(C::ShowMessage));

  // Filled again with the same state, the box's handler does not run again.
  EnableWindow(Control(C::Beep), TRUE);
  ASSERT_TRUE(editorWindow.FillForEdit(0));
  EXPECT_TRUE(Enabled(C::Beep));
}

TEST_F(EditorTest, OkWritesANewTaskAndClosesTheModalEditor) {
  stages.push_back([&] {
    EXPECT_TRUE(IsWindowVisible(editorWindow.Handle()));
    EXPECT_FALSE(IsWindowEnabled(owner));  // modal
    EXPECT_EQ(GetFocus(), Control(C::Message));
    EXPECT_TRUE(editorWindow.IsOpenForNewTask());
    SetWindowTextW(Control(C::Message), L"Позвонить маме\r\nвечером");
    Type(C::Hour, L"8", true);
    Type(C::Minute, L"30", true);
    Click(C::Ok);
  });
  const TaskEditor::Result result = RunModal([&] { return editorWindow.OpenForNew(); });
  EXPECT_TRUE(result.committed);
  EXPECT_TRUE(editorWindow.Committed());
  EXPECT_FALSE(editorWindow.IsOpenForNewTask());
  EXPECT_FALSE(IsWindowVisible(editorWindow.Handle()));
  EXPECT_TRUE(IsWindowEnabled(owner));
  ASSERT_EQ(store.tasks.size(), 1u);
  const Task& task = store.tasks[0];
  EXPECT_EQ(task.id, result.taskId);
  EXPECT_EQ(task.message, "Позвонить маме\r\nвечером");
  EXPECT_EQ(task.secondOfDay, 30600);
  EXPECT_EQ(task.recurrence, EveryDay);
  EXPECT_EQ(task.year, 2024);
  EXPECT_EQ(task.month, 3);
  EXPECT_EQ(task.day, 14);
  EXPECT_EQ(task.status, StatusActive);
  EXPECT_EQ(task.armed, 0);
  EXPECT_EQ(task.doneThisPeriod, 0);
  EXPECT_EQ(task.showMessage, 1);
  EXPECT_EQ(task.beep, 1);
  EXPECT_EQ(task.runFile, 0);
  EXPECT_EQ(task.soundChoice, SoundChoice{});  // the melody, once
}

TEST_F(EditorTest, OkWithAnEmptiedFieldReportsItAndWritesNothing) {
  editorWindow.FillForNew();
  Show();
  const auto changeBox = BoxDuring([&] { Type(C::Second, L"\b", true); });
  ASSERT_TRUE(changeBox);
  const auto okBox = BoxDuring([&] { Click(C::Ok); });
  ASSERT_TRUE(okBox);
  EXPECT_EQ(*okBox, L" Vornakel|'' is not a valid integer value.");
  EXPECT_TRUE(store.tasks.empty());
  EXPECT_EQ(editorWindow.EditedTaskId(), 0u);
  EXPECT_TRUE(IsWindowVisible(editorWindow.Handle()));
  // A second OK, once the field holds a number, appends one task.
  Type(C::Second, L"5");
  EXPECT_FALSE(BoxDuring([&] { Click(C::Ok); }));
  ASSERT_EQ(store.tasks.size(), 1u);
  EXPECT_EQ(store.tasks[0].second, 5);
  EXPECT_TRUE(editorWindow.Committed());
  EXPECT_FALSE(IsWindowVisible(editorWindow.Handle()));
}

TEST_F(EditorTest, RunFileWithoutAFileChosenInThisOpeningIsNotStored) {
  editorWindow.Chooser().fileName = "C:\\старый.bat";  // from an earlier opening
  editorWindow.FillForNew();
  Show();
  Click(C::RunFile);
  Click(C::Ok);
  ASSERT_EQ(store.tasks.size(), 1u);
  EXPECT_EQ(store.tasks[0].runFile, 0);
  EXPECT_EQ(store.tasks[0].fileName, "C:\\старый.bat");
}

struct CloseCase {
  const char* name;
  std::function<void()> close;
};

TEST_F(EditorTest, CancelTheCloseBoxAndEscapeCommitNothingButTheSessionRemembers) {
  const CloseCase cases[] = {
      {"Cancel", [this] { Click(C::Cancel); }},
      {"close box", [this] { PostMessageW(editorWindow.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Escape", [this] { PostMessageW(Control(C::Message), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }},
  };
  int minute = 10;
  for (const CloseCase& c : cases) {
    ++minute;
    stages.push_back([&] {
      Type(C::Minute, std::to_wstring(minute), true);
      c.close();
    });
    const TaskEditor::Result result = RunModal([&] { return editorWindow.OpenForNew(); });
    EXPECT_FALSE(result.committed) << c.name;
    EXPECT_EQ(editorWindow.EditedTaskId(), 0u) << c.name;
    EXPECT_FALSE(editorWindow.IsOpenForNewTask()) << c.name;
    EXPECT_FALSE(IsWindowVisible(editorWindow.Handle())) << c.name;
    EXPECT_TRUE(IsWindowEnabled(owner)) << c.name;
    EXPECT_TRUE(store.tasks.empty()) << c.name;
    EXPECT_EQ(Moment().minute, minute) << c.name;
  }
}

TEST_F(EditorTest, EscapeDuringAnEditLeavesTheEditorOpen) {
  store.tasks.push_back(StoredTask(EveryDay, 30600, 2024, 1, 1, "не трогать"));
  stages.push_back([&] {
    EXPECT_FALSE(editorWindow.IsOpenForNewTask());
    PostMessageW(Control(C::Message), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    Probe();
  });
  stages.push_back([&] {
    EXPECT_TRUE(IsWindowVisible(editorWindow.Handle()));
    EXPECT_TRUE(editorWindow.IsOpen());
    PostMessageW(editorWindow.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  const TaskEditor::Result result = RunModal([&] { return editorWindow.OpenForEdit(0); });
  EXPECT_FALSE(result.committed);
  EXPECT_EQ(result.taskId, store.tasks[0].id);
  EXPECT_EQ(editorWindow.EditedTaskId(), store.tasks[0].id);
  EXPECT_EQ(store.tasks[0].message, "не трогать");
  EXPECT_EQ(store.tasks[0].armed, 0);  // the command re-arms it
}

TEST_F(EditorTest, OkWritesIntoTheEditedTaskAfterTheCheckerDeletedAnEarlierOne) {
  for (const char* text : {"сработает и удалится", "второе", "редактируемое"})
    store.tasks.push_back(StoredTask(EveryDay, 30600, 2024, 1, 1, text));
  store.tasks[1].status = StatusDoneToday;
  store.tasks[2].status = StatusDoneToday;
  store.tasks[2].doneThisPeriod = 1;
  const uint64_t editedId = store.tasks[2].id;
  stages.push_back([&] {
    {
      std::lock_guard lock(store.mutex);  // as the checker deletes a fired task
      store.tasks.erase(store.tasks.begin());
    }
    SetWindowTextW(Control(C::Message), L"исправлено");
    Click(C::Ok);
  });
  const TaskEditor::Result result = RunModal([&] { return editorWindow.OpenForEdit(2); });
  EXPECT_TRUE(result.committed);
  EXPECT_EQ(result.taskId, editedId);
  EXPECT_EQ(Caption(), L" Редактировать задание № 3");
  ASSERT_EQ(store.tasks.size(), 2u);
  EXPECT_EQ(store.tasks[1].message, "исправлено");
  EXPECT_EQ(store.tasks[1].status, StatusActive);
  EXPECT_EQ(store.tasks[1].doneThisPeriod, 0);
  EXPECT_EQ(store.tasks[0].message, "второе");
  EXPECT_EQ(store.tasks[0].status, StatusDoneToday);
}

TEST_F(EditorTest, ASecondOpeningWhileOpenIsRefused) {
  store.tasks.push_back(StoredTask(EveryDay, 30600, 2024, 1, 1, "одно"));
  stages.push_back([&] {
    const TaskEditor::Result inner = editorWindow.OpenForNew();
    EXPECT_FALSE(inner.committed);
    EXPECT_FALSE(editorWindow.IsOpenForNewTask());
    EXPECT_EQ(editorWindow.EditedTaskId(), store.tasks[0].id);
    EXPECT_EQ(Caption(), L" Редактировать задание № 1");
    EXPECT_TRUE(IsWindowVisible(editorWindow.Handle()));
    Click(C::Ok);
  });
  const TaskEditor::Result result = RunModal([&] { return editorWindow.OpenForEdit(0); });
  EXPECT_TRUE(result.committed);
  EXPECT_EQ(store.tasks.size(), 1u);
  EXPECT_FALSE(editorWindow.OpenForEdit(5).committed);  // no such task
}

TEST_F(EditorTest, TabMovesTheFocusAndEnterInTheMessageFieldStartsANewLine) {
  stages.push_back([&] {
    ASSERT_EQ(GetFocus(), Control(C::Message));
    PostMessageW(Control(C::Message), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    Probe();
  });
  stages.push_back([&] {
    Probe();  // the character of the key comes after the first probe
  });
  stages.push_back([&] {
    EXPECT_EQ(Text(C::Message), L"\r\n");
    EXPECT_TRUE(IsWindowVisible(editorWindow.Handle()));
    PostMessageW(Control(C::Message), WM_KEYDOWN, VK_TAB, 0x000F0001);
    Probe();
  });
  stages.push_back([&] {
    EXPECT_EQ(GetFocus(), Control(C::Ok));  // below the message field
    PostMessageW(Control(C::Ok), WM_KEYDOWN, VK_TAB, 0x000F0001);
    Probe();
  });
  stages.push_back([&] {
    // Enter presses the focused button.
    EXPECT_EQ(GetFocus(), Control(C::Cancel));
    PostMessageW(Control(C::Cancel), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  });
  const TaskEditor::Result result = RunModal([&] { return editorWindow.OpenForNew(); });
  EXPECT_FALSE(result.committed);
  EXPECT_FALSE(IsWindowVisible(editorWindow.Handle()));
}

}  // namespace
