// Opening the editor for a new task and for an edit, and closing it: the fill order, the modal
// run, OK, Cancel, the close box and Escape, a field that is not a number at OK, and an edit
// whose task has moved while the editor was open.
#include "tests/win32/EditorFixture.h"

namespace {

using C = EditorControl;

TEST_F(EditorTest, ANewTaskStartsFromTheRememberedValues) {
  {
    std::lock_guard lock(store.Mutex);
    store.editorMoment.hour = 7;
    store.editorMoment.minute = 5;
    store.editorMoment.second = 9;
    store.settings.lastFileFolder = "C:\\Папка\\";
  }
  Show();
  Choose(C::ComboBox1, EveryYear);  // the mode shown last is kept
  form.Button2Click();
  form.FillForNew();
  EXPECT_EQ(Caption(), L" Добавить новое задание");
  EXPECT_EQ(form.Tag, -1);
  EXPECT_EQ(Text(C::Memo1), L"");
  EXPECT_EQ(Text(C::Edit4), L"2024");
  EXPECT_EQ(Selected(C::ComboBox3), 2);
  EXPECT_EQ(Moment().month, 3);  // not overwritten by the month logic that the year ran
  EXPECT_EQ(Selected(C::ComboBox4), 13);
  EXPECT_EQ(Text(C::Edit1), L"7");
  EXPECT_EQ(Text(C::Edit2), L"5");
  EXPECT_EQ(Text(C::Edit3), L"9");
  EXPECT_EQ(ArrowsAt(C::UpDown1), 7);
  EXPECT_EQ(ArrowsAt(C::UpDown4), 2024);
  EXPECT_EQ(Selected(C::ComboBox1), EveryYear);
  EXPECT_TRUE(Enabled(C::ComboBox3));  // the mode logic ran
  EXPECT_FALSE(Enabled(C::Edit4));
  for (C box : {C::CheckBox1, C::CheckBox2, C::CheckBox3}) EXPECT_FALSE(Checked(box));
  for (C box : {C::CheckBox4, C::CheckBox5}) EXPECT_TRUE(Checked(box));
  EXPECT_EQ(Text(C::Edit5), L"");
  EXPECT_FALSE(Enabled(C::Edit5));  // the run-file logic ran
  EXPECT_FALSE(Enabled(C::Button3));
  EXPECT_EQ(form.OpenDialog1().initialFolder, "C:\\Папка\\");
}

TEST_F(EditorTest, ANewTaskIsCentredOverTheMainWindow) {
  form.FillForNew();
  RECT main{}, editor{};
  GetWindowRect(owner, &main);
  GetWindowRect(form.Handle(), &editor);
  const int width = editor.right - editor.left;
  const int height = editor.bottom - editor.top;
  EXPECT_EQ(editor.left, main.left + (main.right - main.left) / 2 - width / 2);
  EXPECT_EQ(editor.top, main.top + (main.bottom - main.top) / 2 - height / 2);
}

TEST_F(EditorTest, AnEditShowsTheRecordWithItsOwnDay) {
  store.Tasks.push_back(StoredTask(EveryDay, 30600, 2024, 1, 1, "первое"));
  store.Tasks.push_back(StoredTask(EveryMonth, 45296, 2023, 6, 31, "Оплатить\r\nсчета"));
  // The editor showed a 30-day month before.
  Show();
  Choose(C::ComboBox1, Once);
  Choose(C::ComboBox3, 3);
  Choose(C::ComboBox4, 29);
  form.Button2Click();

  std::vector<std::wstring> boxes;
  boxes = BoxesDuring([&] { ASSERT_TRUE(form.FillForEdit(1)); });
  // The monthly warning, once: selecting the day from code runs no handler.
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], L"Обратите внимание!|Не каждый месяц содержит 31 день");
  EXPECT_EQ(Caption(), L" Редактировать задание № 2");
  EXPECT_EQ(form.Tag, 1);
  EXPECT_EQ(store.Tasks[1].armed, 0);
  EXPECT_EQ(store.Tasks[0].armed, 1);
  EXPECT_EQ(Text(C::Memo1), L"Оплатить\r\nсчета");
  EXPECT_EQ(Text(C::Edit1), L"12");
  EXPECT_EQ(Text(C::Edit2), L"34");
  EXPECT_EQ(Text(C::Edit3), L"56");
  EXPECT_EQ(Text(C::Edit4), L"2023");
  EXPECT_EQ(Selected(C::ComboBox1), EveryMonth);
  EXPECT_EQ(Selected(C::ComboBox3), 5);
  EXPECT_EQ(ItemCount(C::ComboBox4), 31);
  EXPECT_EQ(Selected(C::ComboBox4), 30);
  EXPECT_EQ(Moment().day, 31);
  EXPECT_FALSE(Enabled(C::CheckBox1));
}

TEST_F(EditorTest, AnEditOfAShutdownTaskThatRunsAFile) {
  Task task = StoredTask(Once, 37815, 2024, 2, 29, "Выключить");
  task.runFile = 1;
  task.shutDown = 1;
  task.deleteAfter = 1;
  task.beep = 0;
  task.fileName = "C:\\Программы\\открытка.exe";
  store.Tasks.push_back(task);
  EXPECT_TRUE(BoxesDuring([&] { ASSERT_TRUE(form.FillForEdit(0)); }).empty());
  EXPECT_EQ(Text(C::Edit5), L"открытка.exe");
  EXPECT_EQ(form.OpenDialog1().fileName, "C:\\Программы\\открытка.exe");
  EXPECT_EQ(form.OpenDialog1().initialFolder, "C:\\Программы\\");
  EXPECT_EQ(Selected(C::ComboBox3), 1);
  EXPECT_EQ(ItemCount(C::ComboBox4), 29);
  EXPECT_EQ(Selected(C::ComboBox4), 28);
  EXPECT_TRUE(Checked(C::CheckBox1));
  EXPECT_TRUE(Enabled(C::CheckBox1));
  EXPECT_TRUE(Checked(C::CheckBox2));
  EXPECT_TRUE(Checked(C::CheckBox3));
  EXPECT_FALSE(Checked(C::CheckBox4));
  // The shutdown box's handler ran when the fill checked it.
  EXPECT_FALSE(Enabled(C::CheckBox3));
  EXPECT_FALSE(Enabled(C::CheckBox4));
  EXPECT_FALSE(Enabled(C::CheckBox5));

  // Filled again with the same state, the box's handler does not run again.
  EnableWindow(Control(C::CheckBox4), TRUE);
  ASSERT_TRUE(form.FillForEdit(0));
  EXPECT_TRUE(Enabled(C::CheckBox4));
}

TEST_F(EditorTest, OkWritesANewTaskAndClosesTheModalEditor) {
  stages.push_back([&] {
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(IsWindowEnabled(owner));  // modal
    EXPECT_EQ(GetFocus(), Control(C::Memo1));
    EXPECT_EQ(DialogMode, 1);
    SetWindowTextW(Control(C::Memo1), L"Позвонить маме\r\nвечером");
    Type(C::Edit1, L"8", true);
    Type(C::Edit2, L"30", true);
    Click(C::Button1);
  });
  const TForm2::Result result = RunModal([&] { return form.OpenForNew(); });
  EXPECT_TRUE(result.committed);
  EXPECT_EQ(form.Tag, -2);
  EXPECT_EQ(DialogMode, 0);
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  EXPECT_TRUE(IsWindowEnabled(owner));
  ASSERT_EQ(store.Tasks.size(), 1u);
  const Task& task = store.Tasks[0];
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
}

TEST_F(EditorTest, OkWithAnEmptiedFieldReportsItAndWritesNothing) {
  form.FillForNew();
  Show();
  const auto changeBox = BoxDuring([&] { Type(C::Edit3, L"\b", true); });
  ASSERT_TRUE(changeBox);
  const auto okBox = BoxDuring([&] { Click(C::Button1); });
  ASSERT_TRUE(okBox);
  EXPECT_EQ(*okBox, L" Vornakel|'' is not a valid integer value.");
  EXPECT_TRUE(store.Tasks.empty());
  EXPECT_EQ(form.Tag, -1);
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  // A second OK, once the field holds a number, appends one task.
  Type(C::Edit3, L"5");
  EXPECT_FALSE(BoxDuring([&] { Click(C::Button1); }));
  ASSERT_EQ(store.Tasks.size(), 1u);
  EXPECT_EQ(store.Tasks[0].second, 5);
  EXPECT_EQ(form.Tag, -2);
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST_F(EditorTest, RunFileWithoutAFileChosenInThisOpeningIsNotStored) {
  form.OpenDialog1().fileName = "C:\\старый.bat";  // from an earlier opening
  form.FillForNew();
  Show();
  Click(C::CheckBox3);
  Click(C::Button1);
  ASSERT_EQ(store.Tasks.size(), 1u);
  EXPECT_EQ(store.Tasks[0].runFile, 0);
  EXPECT_EQ(store.Tasks[0].fileName, "C:\\старый.bat");
}

struct CloseCase {
  const char* name;
  std::function<void()> close;
};

TEST_F(EditorTest, CancelTheCloseBoxAndEscapeCommitNothingButTheSessionRemembers) {
  const CloseCase cases[] = {
      {"Cancel", [this] { Click(C::Button2); }},
      {"close box", [this] { PostMessageW(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Escape", [this] { PostMessageW(Control(C::Memo1), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }},
  };
  int minute = 10;
  for (const CloseCase& c : cases) {
    ++minute;
    stages.push_back([&] {
      Type(C::Edit2, std::to_wstring(minute), true);
      c.close();
    });
    const TForm2::Result result = RunModal([&] { return form.OpenForNew(); });
    EXPECT_FALSE(result.committed) << c.name;
    EXPECT_EQ(form.Tag, -1) << c.name;
    EXPECT_EQ(DialogMode, 0) << c.name;
    EXPECT_FALSE(IsWindowVisible(form.Handle())) << c.name;
    EXPECT_TRUE(IsWindowEnabled(owner)) << c.name;
    EXPECT_TRUE(store.Tasks.empty()) << c.name;
    EXPECT_EQ(Moment().minute, minute) << c.name;
  }
}

TEST_F(EditorTest, EscapeDuringAnEditLeavesTheEditorOpen) {
  store.Tasks.push_back(StoredTask(EveryDay, 30600, 2024, 1, 1, "не трогать"));
  stages.push_back([&] {
    EXPECT_EQ(DialogMode, 0);
    PostMessageW(Control(C::Memo1), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    Probe();
  });
  stages.push_back([&] {
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(form.IsOpen());
    PostMessageW(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  const TForm2::Result result = RunModal([&] { return form.OpenForEdit(0); });
  EXPECT_FALSE(result.committed);
  EXPECT_EQ(result.taskId, store.Tasks[0].id);
  EXPECT_EQ(form.Tag, 0);
  EXPECT_EQ(store.Tasks[0].message, "не трогать");
  EXPECT_EQ(store.Tasks[0].armed, 0);  // the command re-arms it
}

TEST_F(EditorTest, OkWritesIntoTheEditedTaskAfterTheCheckerDeletedAnEarlierOne) {
  for (const char* text : {"сработает и удалится", "второе", "редактируемое"})
    store.Tasks.push_back(StoredTask(EveryDay, 30600, 2024, 1, 1, text));
  store.Tasks[1].status = StatusDoneToday;
  store.Tasks[2].status = StatusDoneToday;
  store.Tasks[2].doneThisPeriod = 1;
  const uint64_t editedId = store.Tasks[2].id;
  stages.push_back([&] {
    {
      std::lock_guard lock(store.Mutex);  // as the checker deletes a fired task
      store.Tasks.erase(store.Tasks.begin());
    }
    SetWindowTextW(Control(C::Memo1), L"исправлено");
    Click(C::Button1);
  });
  const TForm2::Result result = RunModal([&] { return form.OpenForEdit(2); });
  EXPECT_TRUE(result.committed);
  EXPECT_EQ(result.taskId, editedId);
  EXPECT_EQ(Caption(), L" Редактировать задание № 3");
  ASSERT_EQ(store.Tasks.size(), 2u);
  EXPECT_EQ(store.Tasks[1].message, "исправлено");
  EXPECT_EQ(store.Tasks[1].status, StatusActive);
  EXPECT_EQ(store.Tasks[1].doneThisPeriod, 0);
  EXPECT_EQ(store.Tasks[0].message, "второе");
  EXPECT_EQ(store.Tasks[0].status, StatusDoneToday);
}

TEST_F(EditorTest, ASecondOpeningWhileOpenIsRefused) {
  store.Tasks.push_back(StoredTask(EveryDay, 30600, 2024, 1, 1, "одно"));
  stages.push_back([&] {
    const TForm2::Result inner = form.OpenForNew();
    EXPECT_FALSE(inner.committed);
    EXPECT_EQ(DialogMode, 0);
    EXPECT_EQ(form.Tag, 0);
    EXPECT_EQ(Caption(), L" Редактировать задание № 1");
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    Click(C::Button1);
  });
  const TForm2::Result result = RunModal([&] { return form.OpenForEdit(0); });
  EXPECT_TRUE(result.committed);
  EXPECT_EQ(store.Tasks.size(), 1u);
  EXPECT_FALSE(form.OpenForEdit(5).committed);  // no such task
}

TEST_F(EditorTest, TabMovesTheFocusAndEnterInTheMemoStartsANewLine) {
  stages.push_back([&] {
    ASSERT_EQ(GetFocus(), Control(C::Memo1));
    PostMessageW(Control(C::Memo1), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    Probe();
  });
  stages.push_back([&] {
    Probe();  // the character of the key comes after the first probe
  });
  stages.push_back([&] {
    EXPECT_EQ(Text(C::Memo1), L"\r\n");
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    PostMessageW(Control(C::Memo1), WM_KEYDOWN, VK_TAB, 0x000F0001);
    Probe();
  });
  stages.push_back([&] {
    EXPECT_EQ(GetFocus(), Control(C::Edit1));  // after the memo, the first stop again
    PostMessageW(Control(C::Edit1), WM_KEYDOWN, VK_TAB, 0x000F0001);
    Probe();
  });
  stages.push_back([&] {
    EXPECT_EQ(GetFocus(), Control(C::Edit2));
    SetFocus(Control(C::Button2));
    PostMessageW(Control(C::Button2), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  });
  const TForm2::Result result = RunModal([&] { return form.OpenForNew(); });
  EXPECT_FALSE(result.committed);
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

}  // namespace
