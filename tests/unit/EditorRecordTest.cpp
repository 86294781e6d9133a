// The record written by the editor's OK: the fields taken from the controls, the status of a
// new or edited task, every number checked before the table changes, and the edited task found
// by its identity when the checker has moved it.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <tuple>

#include "ui/editor/EditorRecord.h"
#include "ui/editor/RuleFields.h"

namespace {

// OK is pressed on Thursday 14 March 2024 at 10:00:00.
const SystemTime kSaved{2024, 3, 14, 10, 0, 0, 0, 4};

EditorFields OneTimeTaskFields() {
  EditorFields f;
  f.recurrenceIndex = Once;
  f.text = "Забрать посылку\r\nна почте";
  f.hourText = "23";
  f.minuteText = "59";
  f.secondText = "59";
  f.yearText = "2024";
  f.monthIndex = 4;
  f.dayIndex = 14;
  f.deleteChecked = true;
  f.deleteEnabled = true;
  f.showMessageChecked = true;
  f.beepChecked = true;
  f.runFileChecked = true;
  f.runFileEnabled = true;
  f.fileField = "открытка.exe";
  f.fileName = "C:\\Программы\\открытка.exe";
  f.soundFile = "D:\\Звуки\\гонг.wav";
  f.repeatChecked = true;
  f.wakeChecked = true;
  return f;
}

Task StoredTask(Store& store, const char* text, int32_t status) {
  Task t;
  t.id = store.NewId();
  t.armed = 1;
  t.message = text;
  t.status = status;
  t.recurrence = EveryDay;
  t.lastRun.year = 2024;
  t.lastRun.month = 3;
  t.lastRun.day = 14;
  t.lastRun.hour = 9;
  t.lastRun.minute = 30;
  t.lastRun.second = 5;
  t.doneThisPeriod = status == StatusDoneToday ? 1 : 0;
  return t;
}

TEST(ConvertEditorFields, TakesEveryFieldFromTheControls) {
  const ConvertedFields converted = ConvertEditorFields(OneTimeTaskFields());
  ASSERT_TRUE(converted.record);
  Task task;
  WriteEditorRecord(task, *converted.record);
  EXPECT_EQ(task.recurrence, Once);
  EXPECT_EQ(task.message, "Забрать посылку\r\nна почте");
  EXPECT_EQ(task.hour, 23);
  EXPECT_EQ(task.minute, 59);
  EXPECT_EQ(task.second, 59);
  EXPECT_EQ(task.secondOfDay, 86399);
  EXPECT_EQ(task.year, 2024);
  EXPECT_EQ(task.month, 5);
  EXPECT_EQ(task.day, 15);
  EXPECT_EQ(task.deleteAfter, 1);
  EXPECT_EQ(task.showMessage, 1);
  EXPECT_EQ(task.beep, 1);
  EXPECT_EQ(task.shutDown, 0);
  EXPECT_EQ(task.runFile, 1);
  EXPECT_EQ(task.fileName, "C:\\Программы\\открытка.exe");
  EXPECT_EQ(task.soundChoice, (SoundChoice{"D:\\Звуки\\гонг.wav", true}));
  EXPECT_TRUE(task.wake);
}

TEST(ConvertEditorFields, FlagsByCheckedAndEnabledState) {
  struct Case {
    bool delChecked, delEnabled, runChecked, runEnabled;
    const char* fileField;
    bool shutDown, message, sound, repeat;
    uint8_t wantDelete, wantRun, wantRepeat;
  };
  const Case cases[] = {
      {true, true, true, true, "a.bat", false, true, true, true, 1, 1, 1},
      // The delete box is disabled outside one-time recurrence: not stored even when checked.
      {true, false, false, true, "a.bat", false, true, true, false, 0, 0, 0},
      // Run-file checked but no file chosen in this opening.
      {false, true, true, true, "", false, true, true, true, 0, 0, 1},
      // The shutdown box disables the run-file box; message, beep and repetition keep their
      // checked state.
      {false, true, true, false, "a.bat", true, true, true, true, 0, 0, 1},
      {false, true, false, false, "", true, false, false, true, 0, 0, 0},
      // Repetition needs both the message and the sound.
      {false, true, false, true, "", false, false, true, true, 0, 0, 0},
      {false, true, false, true, "", false, true, false, true, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EditorFields f = OneTimeTaskFields();
    f.deleteChecked = c.delChecked;
    f.deleteEnabled = c.delEnabled;
    f.runFileChecked = c.runChecked;
    f.runFileEnabled = c.runEnabled;
    f.fileField = c.fileField;
    f.shutDownChecked = c.shutDown;
    f.showMessageChecked = c.message;
    f.beepChecked = c.sound;
    f.repeatChecked = c.repeat;
    const Task r = *ConvertEditorFields(f).record;
    EXPECT_EQ(r.deleteAfter, c.wantDelete);
    EXPECT_EQ(r.runFile, c.wantRun);
    EXPECT_EQ(r.shutDown, c.shutDown);
    EXPECT_EQ(r.showMessage, c.message);
    EXPECT_EQ(r.beep, c.sound);
    EXPECT_EQ(r.fileName, f.fileName);  // kept whether or not the file is to be run
    EXPECT_EQ(r.soundChoice.repeat, c.wantRepeat);
    EXPECT_EQ(r.soundChoice.file, f.soundFile);  // kept whether or not the sound is on
  }
}

TEST(ConvertEditorFields, TheFirstFieldThatIsNoNumberGivesTheError) {
  struct Case {
    const char *h, *m, *s, *y;
    const char* error;
  };
  const Case cases[] = {
      {"", "0", "0", "2024", "'' is not a valid integer value"},
      {"1", "x", "0", "", "'x' is not a valid integer value"},
      {"1", "2", "3 ", "2024", "'3 ' is not a valid integer value"},
      {"1", "2", "3", "20a4", "'20a4' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    EditorFields f = OneTimeTaskFields();
    f.hourText = c.h;
    f.minuteText = c.m;
    f.secondText = c.s;
    f.yearText = c.y;
    const ConvertedFields converted = ConvertEditorFields(f);
    EXPECT_FALSE(converted.record);
    EXPECT_EQ(converted.error, c.error);
  }
}

// Each repeat rule made by the editor's controls (N and the end kept in range), and the item
// that shows it again.
TEST(ConvertEditorFields, TheRuleItemsMakeTheirRulesAndShowThemAgain) {
  struct Case {
    int32_t item;
    const char *every, *tillHour;
    int32_t boxes, weekOfMonth, weekday;
    RepeatRule rule;
    int32_t shownItem = -1;  // the item itself
  };
  constexpr int32_t kMonWedFri = 42, kWeekend = 65;
  const Case cases[] = {
      {kEveryNMinutesItem, "45", "18", 0, 0, 0, {EveryNMinutes, 45, 0, 68399}},
      {kEveryNMinutesItem, "1441", "24", 0, 0, 0, {EveryNMinutes, 1440, 0, 86399}},
      {kEveryNMinutesItem, "0", "0", kWeekend, 0, 0, {EveryNMinutes, 1, kWeekend, 3599}},
      {kEveryNHoursItem, "25", "23", kWeekend, 0, 0, {EveryNHours, 24, kWeekend, 86399}},
      {kOnWeekdaysItem, "7", "1", kMonWedFri, 0, 0, {OnWeekdays, 0, kMonWedFri, 86399}},
      {kOnWeekdaysItem, "7", "1", kWorkingDays, 0, 0, {OnWeekdays, 0, 62, 86399}, kWorkingDaysItem},
      {kWorkingDaysItem, "7", "1", kWeekend, 0, 0, {OnWeekdays, 0, kWorkingDays, 86399}},
      {kNthWeekdayItem, "7", "1", 0, 1, 1, {NthWeekdayOfMonth, 2, 4, 86399}},
      {kNthWeekdayItem, "7", "1", 0, 4, 6, {NthWeekdayOfMonth, kLastOfMonth, 1, 86399}},
      {kEveryNDaysItem, "366", "1", kWeekend, 0, 0, {EveryNDays, 366, 0, 86399}},
      {kEveryNDaysItem, "367", "1", 0, 0, 0, {EveryNDays, 366, 0, 86399}},
      {Once, "7", "1", kWeekend, 1, 1, {}},  // an older item clears the rule
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << &c - cases);
    EditorFields f = OneTimeTaskFields();
    f.recurrenceIndex = c.item, f.everyText = c.every, f.tillHourText = c.tillHour;
    f.weekdayBoxes = c.boxes, f.weekOfMonthIndex = c.weekOfMonth, f.weekdayIndex = c.weekday;
    const std::optional<Task> record = ConvertEditorFields(f).record;
    ASSERT_TRUE(record);
    EXPECT_EQ(record->rule, c.rule);
    EXPECT_EQ(record->recurrence, c.rule.kind == PlainRule ? c.item : EveryDay);
    EXPECT_EQ(ControlsOfTask(*record).listIndex, c.shownItem < 0 ? c.item : c.shownItem);
    EXPECT_EQ(RuleOfControls(ControlsOfTask(*record)), c.rule);
  }
}

TEST(ConvertEditorFields, TheWarningAndOnlyTheRuleFieldsTheItemUsesAndWeekdaysNeedOne) {
  EditorFields f = OneTimeTaskFields();
  f.everyText = "", f.tillSecondText = "x", f.warnText = "1441";
  EXPECT_EQ(ConvertEditorFields(f).record->warnMinutes, 1440);
  f.recurrenceIndex = kEveryNDaysItem, f.warnText = "15";
  EXPECT_EQ(ConvertEditorFields(f).error, "'' is not a valid integer value");
  f.everyText = "2";  // every N days has no end: its "x" is not read
  EXPECT_TRUE(ConvertEditorFields(f).record);
  f.recurrenceIndex = kEveryNHoursItem;
  EXPECT_EQ(ConvertEditorFields(f).error, "'x' is not a valid integer value");
  f.tillSecondText = "0";
  EXPECT_EQ(ConvertEditorFields(f).record->warnMinutes, 15);
  f.recurrenceIndex = kOnWeekdaysItem, f.weekdayBoxes = 0;
  EXPECT_TRUE(ConvertEditorFields(f).noWeekday);
  Store store;
  EXPECT_EQ(CommitEditor(store, 0, f, kSaved).outcome, CommitResult::Outcome::NoWeekday);
  EXPECT_TRUE(store.tasks.empty());
}

TEST(CommitEditor, NewTaskIsAppendedActiveUnarmedWithANewIdentity) {
  Store store;
  store.tasks.push_back(StoredTask(store, "первое", StatusActive));
  const uint64_t firstId = store.tasks[0].id;
  const CommitResult result = CommitEditor(store, 0, OneTimeTaskFields(), kSaved);
  ASSERT_EQ(result.outcome, CommitResult::Outcome::Written);
  ASSERT_EQ(store.tasks.size(), 2u);
  const Task& added = store.tasks[1];
  EXPECT_EQ(result.index, 1);
  EXPECT_EQ(result.taskId, added.id);
  EXPECT_NE(added.id, 0u);
  EXPECT_NE(added.id, firstId);
  EXPECT_EQ(added.status, StatusActive);
  EXPECT_EQ(added.armed, 0);
  EXPECT_EQ(added.doneThisPeriod, 0);
  EXPECT_EQ(added.lastRun.year, 0);
  EXPECT_EQ(added.lastRun.second, 0);
  EXPECT_EQ(added.message, "Забрать посылку\r\nна почте");
  EXPECT_EQ(store.tasks[0].message, "первое");
}

TEST(CommitEditor, EditOfEachStatus) {
  struct Case {
    int32_t before, after;
  };
  for (const Case c : {Case{StatusDone, StatusActive}, Case{StatusActive, StatusActive},
                       Case{StatusPaused, StatusPaused}, Case{StatusDoneToday, StatusActive}}) {
    Store store;
    store.tasks.push_back(StoredTask(store, "до", StatusActive));
    store.tasks.push_back(StoredTask(store, "правка", c.before));
    store.tasks[1].doneThisPeriod = 1;
    store.tasks[1].armed = 0;  // the edit command disarmed it
    const uint64_t id = store.tasks[1].id;
    const CommitResult result = CommitEditor(store, id, OneTimeTaskFields(), kSaved);
    ASSERT_EQ(result.outcome, CommitResult::Outcome::Written);
    ASSERT_EQ(store.tasks.size(), 2u);
    const Task& edited = store.tasks[1];
    EXPECT_EQ(edited.status, c.after) << c.before;
    EXPECT_EQ(edited.doneThisPeriod, 0) << c.before;
    EXPECT_EQ(edited.armed, 0);  // the command re-arms it after building the row
    EXPECT_EQ(edited.id, id);
    EXPECT_EQ(edited.recurrence, Once);
    EXPECT_EQ(edited.secondOfDay, 86399);
    // The rest of the last-run group stays as the last firing left it.
    EXPECT_EQ(edited.lastRun.year, 2024);
    EXPECT_EQ(edited.lastRun.minute, 30);
    EXPECT_EQ(edited.lastRun.second, 5);
    EXPECT_EQ(store.tasks[0].message, "до");
  }
}

// Saved at 10:00:00, a task counts only the moments after that; the edited one is a daily task
// at 09:00:00, and an active one keeping its moment keeps its state (the editor held it back).
TEST(CommitEditor, ATaskCountsOnlyTheMomentsAfterItWasSaved) {
  constexpr int32_t kNew = -1;
  struct Case {
    int32_t before, recurrence;
    const char *hour, *minute, *second;
    int32_t after;
  };
  const Case cases[] = {
      {kNew, EveryDay, "9", "59", "59", StatusDoneToday},
      {kNew, EveryDay, "10", "0", "0", StatusDoneToday},
      {kNew, EveryDay, "10", "0", "1", StatusActive},
      {kNew, Once, "9", "0", "0", StatusActive},  // today at 9: fires at once
      {StatusActive, EveryDay, "9", "0", "0", StatusActive},
      {StatusActive, EveryDay, "9", "0", "1", StatusDoneToday},
      {StatusActive, EveryMonth, "9", "0", "0", StatusDoneToday},  // the 14th, today
      {StatusActive, EveryDay, "10", "0", "1", StatusActive},
      {StatusDoneToday, EveryDay, "9", "0", "0", StatusDoneToday},
      {StatusDoneToday, EveryDay, "10", "0", "1", StatusActive},
      {StatusDone, Once, "9", "0", "0", StatusActive},
      {StatusPaused, EveryDay, "9", "0", "1", StatusPaused},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << &c - cases);
    Store store;
    EditorFields f = OneTimeTaskFields();
    f.recurrenceIndex = c.recurrence;
    f.hourText = c.hour, f.minuteText = c.minute, f.secondText = c.second;
    f.monthIndex = 2, f.dayIndex = 13;
    uint64_t id = 0;
    if (c.before != kNew) {
      store.tasks.push_back(StoredTask(store, "правка", c.before));
      store.tasks[0].SetSecondOfDay(9 * 3600);
      id = store.tasks[0].id;
    }
    const CommitResult result = CommitEditor(store, id, f, kSaved);
    ASSERT_EQ(result.outcome, CommitResult::Outcome::Written);
    const Task& task = store.tasks[0];
    EXPECT_EQ(task.status, c.after);
    const bool skipped = c.after == StatusDoneToday;
    EXPECT_EQ(task.doneThisPeriod, skipped ? 1 : 0);
    // A skipped moment leaves the last run at the saving; otherwise it stays as it was.
    const uint16_t hour = skipped ? 10 : c.before == kNew ? 0 : 9;
    EXPECT_EQ(task.lastRun.hour, hour);
    EXPECT_EQ(task.lastRun.second, skipped || c.before == kNew ? 0 : 5);
  }
}

// An older version reads the Nth weekday as monthly on its next occurrence's day, whether the
// task is new or edited without a change of its moment. On 14 March 2024 at 10:00 the
// second Tuesday (the 12th, at 23:59:59) is made up as done; the fourth Friday is the 22nd.
TEST(CommitEditor, TheNthWeekdayKeepsTheMonthlyDayAnOlderVersionReads) {
  const struct {
    bool edited;
    int32_t item, weekOfMonth, weekday, recurrence, day, status;
  } cases[] = {
      {false, kNthWeekdayItem, 1, 1, EveryMonth, 9, StatusDoneToday},
      {true, kNthWeekdayItem, 3, 4, EveryMonth, 22, StatusActive},
      {true, EveryDay, 3, 4, EveryDay, 15, StatusActive},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << &c - cases);
    Store store;
    if (c.edited) {
      Task& edited = store.tasks.emplace_back(StoredTask(store, "правка", StatusActive));
      edited.SetSecondOfDay(86399);
      edited.rule = {NthWeekdayOfMonth, 4, WeekdayBit(5), 86399};
    }
    EditorFields f = OneTimeTaskFields();
    f.recurrenceIndex = c.item, f.weekOfMonthIndex = c.weekOfMonth, f.weekdayIndex = c.weekday;
    const uint64_t id = c.edited ? store.tasks[0].id : 0;
    ASSERT_EQ(CommitEditor(store, id, f, kSaved).outcome, CommitResult::Outcome::Written);
    const Task& t = store.tasks[0];
    EXPECT_EQ(std::tie(t.recurrence, t.day, t.status), std::tie(c.recurrence, c.day, c.status));
  }
}

TEST(CommitEditor, AFieldThatIsNoNumberChangesNothingAndASecondOkAppendsOnce) {
  Store store;
  store.tasks.push_back(StoredTask(store, "есть", StatusDone));
  EditorFields bad = OneTimeTaskFields();
  bad.secondText = "";

  const CommitResult refusedNew = CommitEditor(store, 0, bad, kSaved);
  EXPECT_EQ(refusedNew.outcome, CommitResult::Outcome::NotANumber);
  EXPECT_EQ(refusedNew.error, "'' is not a valid integer value");
  EXPECT_EQ(store.tasks.size(), 1u);

  const CommitResult refusedEdit = CommitEditor(store, store.tasks[0].id, bad, kSaved);
  EXPECT_EQ(refusedEdit.outcome, CommitResult::Outcome::NotANumber);
  EXPECT_EQ(store.tasks[0].status, StatusDone);  // not made active before the failure
  EXPECT_EQ(store.tasks[0].message, "есть");

  EXPECT_EQ(CommitEditor(store, 0, OneTimeTaskFields(), kSaved).outcome,
            CommitResult::Outcome::Written);
  EXPECT_EQ(store.tasks.size(), 2u);
}

TEST(CommitEditor, WritesIntoTheOpenedTaskAfterTheCheckerDeletedOneBeforeIt) {
  Store store;
  for (const char* text : {"удаляется", "другое", "редактируемое", "последнее"})
    store.tasks.push_back(StoredTask(store, text, StatusActive));
  const uint64_t editedId = store.tasks[2].id;
  // The editor was opened on task 3 (index 2); then the checker fired and deleted
  // task 1, so index 2 now holds "последнее".
  store.tasks.erase(store.tasks.begin());

  const CommitResult result = CommitEditor(store, editedId, OneTimeTaskFields(), kSaved);
  ASSERT_EQ(result.outcome, CommitResult::Outcome::Written);
  EXPECT_EQ(result.index, 1);
  EXPECT_EQ(store.tasks[1].id, editedId);
  EXPECT_EQ(store.tasks[1].message, "Забрать посылку\r\nна почте");
  EXPECT_EQ(store.tasks[2].message, "последнее");
  EXPECT_EQ(store.tasks[2].recurrence, EveryDay);
}

TEST(CommitEditor, NothingIsWrittenForAGoneTask) {
  Store store;
  store.tasks.push_back(StoredTask(store, "одно", StatusActive));
  const uint64_t goneId = store.NewId();
  EXPECT_EQ(CommitEditor(store, goneId, OneTimeTaskFields(), kSaved).outcome,
            CommitResult::Outcome::TaskGone);
  ASSERT_EQ(store.tasks.size(), 1u);
  EXPECT_EQ(store.tasks[0].message, "одно");
}

// A pass of the checker reads the table under the lock while the editor appends; run under
// ThreadSanitizer this shows that the append takes the lock.
TEST(CommitEditor, AppendsUnderTheStoreLock) {
  Store store;
  std::atomic<bool> done{false};
  size_t seen = 0;
  std::thread checker([&] {
    while (!done) {
      std::lock_guard lock(store.mutex);
      for (const Task& task : store.tasks) seen += task.message.size() > 0 ? 1 : 0;
    }
  });
  for (int i = 0; i < 200; ++i) CommitEditor(store, 0, OneTimeTaskFields(), kSaved);
  done = true;
  checker.join();
  std::lock_guard lock(store.mutex);
  EXPECT_EQ(store.tasks.size(), 200u);
  EXPECT_EQ(store.IndexOf(store.tasks[199].id), 199);
}

}  // namespace
