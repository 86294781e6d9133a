// What firing does to a task, in which order, and what it saves.
#include <gtest/gtest.h>

#include "checker/Firing.h"
#include "core/PathParts.h"
#include "tests/unit/CheckerFixture.h"

namespace {

// Thursday 14 March 2024, 08:30 and `second` seconds.
SystemTime At0830(int second) {
  SystemTime time = Reading("2024-03-14 08:30:00");
  time.second = static_cast<uint16_t>(second);
  return time;
}

class FiringTest : public CheckerFixture {
 protected:
  FiringTest() { platform.now = At0830(0); }

  Task& Add(int32_t recurrence, int32_t ssec, const std::string& text = "Позвонить в банк") {
    return store
        .tasks[static_cast<size_t>(CheckerFixture::Add(recurrence, ssec, StatusActive, text))];
  }

  void Pass() { checker.MakePass(); }
};

TEST_F(FiringTest, DailyTaskWithMessageAndSound) {
  Task& t = Add(EveryDay, 30600);
  t.showMessage = 1;
  t.beep = 1;
  Pass();
  const Task& fired = store.tasks[0];
  EXPECT_EQ(fired.status, StatusDoneToday);
  EXPECT_EQ(fired.doneThisPeriod, 1);
  EXPECT_EQ(fired.lastRun.year, 2024);
  EXPECT_EQ(fired.lastRun.month, 3);
  EXPECT_EQ(fired.lastRun.day, 14);
  EXPECT_EQ(fired.lastRun.hour, 8);
  EXPECT_EQ(fired.lastRun.minute, 30);
  EXPECT_EQ(fired.lastRun.second, 0);
  EXPECT_EQ(fired.lastRun.dayOfWeek, 0) << "the day-of-week word is never written";
  EXPECT_EQ(store.rows.Cell(0, ColumnStatus), "Выполнено на сегодня");
  EXPECT_EQ(ActionsStartingWith("reminder"),
            std::vector<std::string>{"reminder Ежедневно в 08:30:00|Позвонить в банк"});
  EXPECT_EQ(platform.reminderSounds, std::vector<bool>{true});
  const std::vector<std::string> expectedTones = {"beep 1000 20", "beep 1300 20", "beep 1600 20",
                                                  "beep 1300 20", "beep 1600 20", "beep 1900 20",
                                                  "beep 1600 20", "beep 1900 20", "beep 2200 20"};
  EXPECT_EQ(ActionsStartingWith("beep"), expectedTones);
  EXPECT_EQ(Saves(), 1);
  const std::string saved = platform.files.files.at(kDataPath).bytes;
  EXPECT_NE(saved.find("Stat=3\r\n"), std::string::npos);
  EXPECT_NE(saved.find("PrevMS=1\r\n"), std::string::npos);
}

TEST_F(FiringTest, OneTimeTaskIsDoneAndKeepsItsDoneTodayFlag) {
  Add(Once, 30600).doneThisPeriod = 0;
  Pass();
  EXPECT_EQ(store.tasks[0].status, StatusDone);
  EXPECT_EQ(store.tasks[0].doneThisPeriod, 0);
  EXPECT_EQ(store.rows.Cell(0, ColumnStatus), "Выполнено");
  EXPECT_EQ(Saves(), 1);
}

TEST_F(FiringTest, TaskWithoutActionsStillRecordsAndSaves) {
  Add(EveryMonth, 30600);
  Pass();
  EXPECT_EQ(store.tasks[0].status, StatusDoneToday);
  EXPECT_EQ(store.tasks[0].lastRun.hour, 8);
  EXPECT_TRUE(platform.actions.empty());
  EXPECT_EQ(Saves(), 1);
}

TEST_F(FiringTest, ActionsRunInOrderAndTheSelfDeletingTaskStillGetsItsPopup) {
  Task& t = Add(Once, 30000, "Последний раз");
  t.showMessage = t.beep = t.runFile = t.deleteAfter = 1;
  t.fileName = "D:\\Мои документы\\отчёт.txt";
  Add(EveryDay, 40000, "Вторая");
  Pass();
  ASSERT_EQ(platform.actions.size(), 1u + 9u + 1u);
  EXPECT_EQ(platform.actions.front(), "reminder 14 марта 2024 года в 08:20:00|Последний раз");
  EXPECT_EQ(platform.actions[1], "beep 1000 20");
  EXPECT_EQ(platform.actions.back(), "open D:\\Мои документы\\отчёт.txt|D:\\Мои документы\\");
  ASSERT_EQ(store.tasks.size(), 1u);
  EXPECT_EQ(store.tasks[0].message, "Вторая");
  EXPECT_EQ(store.rows.Cell(0, ColumnNumber), "1");
  EXPECT_EQ(Saves(), 1);
  const std::string saved = platform.files.files.at(kDataPath).bytes;
  EXPECT_NE(saved.find("TasksN=1\r\n"), std::string::npos);
  EXPECT_EQ(saved.find("[TASK1]"), std::string::npos);
  // The list gets: status cell, deleted row, focus mark cleared, in that order.
  const auto changes = store.rows.TakeChanges();
  std::vector<RowChange::Kind> kinds;
  for (const auto& c : changes)
    if (c.kind != RowChange::Appended) kinds.push_back(c.kind);
  EXPECT_EQ(kinds, (std::vector<RowChange::Kind>{RowChange::CellChanged, RowChange::Deleted,
                                                 RowChange::FocusCleared}));
}

struct ShutdownCase {
  const char* name;
  int32_t recurrence;
  int second;         // the pass's second; the task is due at 08:30:00
  int startedSecond;  // when the program started, 08:30:ss; -1: long before
  bool deleteAfter;
  bool expectShutdown;
  size_t expectTasks;
  RepeatRule rule = {};
  int32_t earlierStart = 0;  // seconds the task's time of day lies before 08:30:00
};

class ShutdownTest : public FiringTest, public testing::WithParamInterface<ShutdownCase> {};

TEST_P(ShutdownTest, WithinFiveSecondsOfItsMomentWhileRunningAndNeverSaves) {
  const ShutdownCase& c = GetParam();
  platform.now = At0830(c.second);
  Task& t = Add(c.recurrence, 30600 - c.earlierStart);
  t.rule = c.rule;
  t.shutDown = 1;
  t.showMessage = t.beep = t.runFile = 1;
  t.fileName = "C:\\a.exe";
  t.deleteAfter = c.deleteAfter;
  const SystemTime started = At0830(c.startedSecond);
  const std::atomic<uint8_t> running{1};
  std::string saveBuffer;
  FiringContext context{store,   platform,   platform.now,
                        running, saveBuffer, c.startedSecond < 0 ? nullptr : &started};
  {
    StoreLock lock(store.mutex);
    FireTask(context, lock, 0);
  }
  EXPECT_EQ(platform.actions,
            c.expectShutdown ? std::vector<std::string>{"shutdown"} : std::vector<std::string>{})
      << c.name;
  EXPECT_EQ(store.tasks.size(), c.expectTasks) << c.name;
  if (!store.tasks.empty()) {
    EXPECT_EQ(store.tasks[0].status, c.recurrence == Once ? StatusDone : StatusDoneToday);
    EXPECT_EQ(store.tasks[0].lastRun.second, c.second);
  }
  EXPECT_EQ(Saves(), 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    ExactAndLate, ShutdownTest,
    testing::Values(
        ShutdownCase{"exact, delete", EveryDay, 0, -1, true, true, 0},
        ShutdownCase{"exact, keep", EveryDay, 0, -1, false, true, 1},
        ShutdownCase{"a second late", EveryDay, 1, -1, true, true, 0},
        ShutdownCase{"five seconds late", EveryDay, 5, 0, false, true, 1},
        ShutdownCase{"six seconds late", EveryDay, 6, -1, true, false, 1},
        ShutdownCase{"started after its moment", EveryDay, 2, 1, false, false, 1},
        ShutdownCase{"once, exact", Once, 0, -1, false, true, 1},
        ShutdownCase{"once, late", Once, 59, -1, true, false, 1},
        ShutdownCase{
            "every 3 days, on its first", EveryDay, 0, -1, false, true, 1, {EveryNDays, 3}},
        // The slot of 08:30:00 of every 15 minutes from 07:30:00.
        ShutdownCase{
            "a later slot", EveryDay, 5, -1, false, true, 1, {EveryNMinutes, 15, 0, 86399}, 3600},
        ShutdownCase{"six seconds after a later slot",
                     EveryDay,
                     6,
                     -1,
                     false,
                     false,
                     1,
                     {EveryNMinutes, 15, 0, 86399},
                     3600}));

// The sound action: the plain melody plays on firing; a file, or a repetition until the popup is
// answered, goes to the sounder before the popup is posted, under the popup's number ({N}).
struct SoundCase {
  bool message, beep;
  const char* file;
  bool repeat;
  const char* sounder;  // its action, without the tones and the reminder
  size_t tones;
};

class FiringSoundTest : public FiringTest, public testing::WithParamInterface<SoundCase> {};

TEST_P(FiringSoundTest, TheMelodyPlaysHereAndTheRestGoesToTheSounder) {
  const SoundCase& c = GetParam();
  Task& t = Add(EveryDay, 30600, "Звонок");
  t.showMessage = c.message;
  t.beep = c.beep;
  t.soundChoice = {c.file, c.repeat};
  Pass();
  std::string expected = c.sounder;
  if (const size_t at = expected.find("{N}"); at != std::string::npos)
    expected.replace(at, 3, std::to_string(platform.reminderNumbers.at(0)));
  EXPECT_EQ(ActionsStartingWith("sound"), std::vector<std::string>(!expected.empty(), expected));
  if (!expected.empty()) {
    EXPECT_EQ(platform.actions.front(), expected) << "before the popup";
  }
  EXPECT_EQ(ActionsStartingWith("beep").size(), c.tones);
  EXPECT_EQ(platform.reminderChoices, std::vector<SoundChoice>(c.message, {c.file, c.repeat}));
}

INSTANTIATE_TEST_SUITE_P(
    MelodyFileRepeat, FiringSoundTest,
    testing::Values(SoundCase{true, true, "", false, "", 9},
                    SoundCase{true, true, "C:\\g.wav", false, "sound {N} C:\\g.wav", 0},
                    SoundCase{true, true, "g.wav", true, "sound {N} g.wav|repeat", 0},
                    SoundCase{true, true, "", true, "sound {N} |repeat", 0},
                    SoundCase{false, true, "", true, "", 9},
                    SoundCase{false, true, "g.wav", true, "sound 0 g.wav", 0},
                    SoundCase{true, false, "g.wav", true, "", 0}));

// The melody and the file start may take long (a slow network path): the window thread can
// take the table's lock meanwhile, to draw the list or run a command.
TEST_F(FiringTest, TheTableIsFreeWhileTheMelodyPlaysAndTheFileStarts) {
  Task& t = Add(EveryDay, 30600);
  t.beep = t.runFile = 1;
  t.fileName = "C:\\a.exe";
  int freeDuringEffects = 0;
  platform.onEffect = [&] { freeDuringEffects += TableIsFree(); };
  Pass();
  EXPECT_EQ(freeDuringEffects, 10);  // nine tones and the file start
  EXPECT_EQ(Saves(), 1);
}

TEST_F(FiringTest, LateShutdownOnAPastDayDoesNothingButRecord) {
  platform.now = At0830(2);
  Task& t = Add(EveryYear, 30600);
  t.day = 1;  // 1 March, 08:30: caught up on 14 March two seconds after its time of day
  t.shutDown = 1;
  Pass();
  EXPECT_TRUE(platform.actions.empty());
  EXPECT_EQ(store.tasks[0].status, StatusDoneToday);
}

TEST(FolderPart, TheWorkingFolderIsUpToTheLastSeparator) {
  EXPECT_EQ(FolderPart("C:\\Tools\\a.exe"), "C:\\Tools\\");
  EXPECT_EQ(FolderPart("C:a.exe"), "C:");
  EXPECT_EQ(FolderPart("a.exe"), "");
  EXPECT_EQ(FolderPart("\\\\server\\share\\b.bat"), "\\\\server\\share\\");
  EXPECT_EQ(FolderPart("C:/Tools/a.exe"), "C:/Tools/");
  EXPECT_EQ(FolderPart(std::wstring_view(L"C:\\Tools\\a.exe")), L"C:\\Tools\\");
  EXPECT_EQ(FolderPart(""), "");
}

TEST_F(FiringTest, FailedSaveIsReportedAndTheCheckerGoesOn) {
  Add(EveryDay, 30600);
  Add(EveryDay, 30600);
  platform.files.files[kDataPath] = {"old", true};  // read-only
  Pass();
  EXPECT_EQ(ActionsStartingWith("error"),
            (std::vector<std::string>{"error Cannot create file C:\\Tools\\Data.ini",
                                      "error Cannot create file C:\\Tools\\Data.ini"}));
  EXPECT_EQ(store.tasks[1].status, StatusDoneToday) << "the pass went on after the failure";
  EXPECT_EQ(platform.files.files.at(kDataPath).bytes, "old");
}

}  // namespace
