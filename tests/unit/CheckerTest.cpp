// The checker's passes and loops: which tasks a pass visits, re-activation, stopping.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "core/Schedule.h"
#include "tests/unit/CheckerFixture.h"
#include "ui/editor/EditorRecord.h"

namespace {

class CheckerTest : public CheckerFixture {
 protected:
  CheckerTest() { platform.now = SystemTime{2024, 3, 14, 12, 0, 0, 0, 4}; }  // Thursday noon

  // An armed (or not) task that shows its message and last ran on 14 March.
  int Add(int32_t recurrence, int32_t ssec, int32_t status, const std::string& text,
          uint8_t armed = 1) {
    const int index = CheckerFixture::Add(recurrence, ssec, status, text);
    Task& t = store.tasks[static_cast<size_t>(index)];
    t.armed = armed;
    t.showMessage = 1;
    t.lastRun.year = 2024;
    t.lastRun.month = 3;
    t.lastRun.day = 14;
    return index;
  }

  // The messages of the popups asked for, in order.
  std::vector<std::string> Reminders() const {
    std::vector<std::string> out;
    for (const auto& a : ActionsStartingWith("reminder")) out.push_back(a.substr(a.find('|') + 1));
    return out;
  }
};

TEST_F(CheckerTest, OnlyArmedActiveDueTasksFireInIndexOrderEachSaving) {
  Add(EveryDay, 11 * 3600, StatusActive, "первая");
  Add(EveryDay, 11 * 3600, StatusPaused, "приостановлена");
  Add(EveryDay, 11 * 3600, StatusDone, "выполнена");
  Add(EveryDay, 11 * 3600, StatusActive, "не взведена", 0);
  Add(EveryDay, 13 * 3600, StatusActive, "будущая");
  Add(Once, 10 * 3600, StatusActive, "вторая");
  // A paused or done task that last ran yesterday stays as it is: only a task done for its
  // period comes back.
  for (int32_t status : {StatusPaused, StatusDone})
    store.tasks[static_cast<size_t>(Add(EveryDay, 11 * 3600, status, "вчера"))].lastRun.day = 13;
  checker.MakePass();
  EXPECT_EQ(Reminders(), (std::vector<std::string>{"первая", "вторая"}));
  EXPECT_EQ(platform.reminderSounds, (std::vector<bool>{false, false}));
  EXPECT_EQ(Saves(), 2);
  EXPECT_EQ(store.tasks[1].status, StatusPaused);
  EXPECT_EQ(store.tasks[2].status, StatusDone);
  EXPECT_EQ(store.tasks[6].status, StatusPaused);
  EXPECT_EQ(store.tasks[7].status, StatusDone);
  EXPECT_EQ(store.tasks[3].status, StatusActive);
  EXPECT_EQ(store.tasks[4].status, StatusActive);

  // A fired task does not fire again in later passes of the same day.
  checker.MakePass();
  EXPECT_EQ(Reminders().size(), 2u);
}

TEST_F(CheckerTest, DeletionDuringAPassSkipsTheTaskThatMovedUp) {
  const int first = Add(EveryDay, 0, StatusActive, "удаляется");
  store.tasks[static_cast<size_t>(first)].deleteAfter = 1;
  Add(EveryDay, 0, StatusActive, "переехала");
  Add(EveryDay, 0, StatusActive, "третья");
  checker.MakePass();
  EXPECT_EQ(Reminders(), (std::vector<std::string>{"удаляется", "третья"}));
  ASSERT_EQ(store.tasks.size(), 2u);
  EXPECT_EQ(store.tasks[0].status, StatusActive) << "the moved task waits for the next pass";
  checker.MakePass();
  EXPECT_EQ(Reminders().back(), "переехала");
}

TEST_F(CheckerTest, DoneForTodayComesBackOnANewDayAndFiresOnlyInTheNextPass) {
  Add(EveryDay, 9 * 3600, StatusDoneToday, "ежедневная");
  store.tasks[0].doneThisPeriod = 1;
  store.tasks[0].lastRun.day = 13;  // fired yesterday
  Add(EveryMonth, 9 * 3600, StatusDoneToday, "ежемесячная");
  store.tasks[1].lastRun.day = 1;  // fired earlier this month: stays done
  checker.MakePass();
  EXPECT_EQ(store.tasks[0].status, StatusActive);
  EXPECT_EQ(store.tasks[0].doneThisPeriod, 0);
  EXPECT_EQ(store.rows.Cell(0, ColumnStatus), "Активно");
  EXPECT_EQ(store.tasks[1].status, StatusDoneToday);
  EXPECT_TRUE(Reminders().empty());
  EXPECT_EQ(Saves(), 1);
  checker.MakePass();
  EXPECT_EQ(Reminders(), std::vector<std::string>{"ежедневная"});
  EXPECT_EQ(store.tasks[0].lastRun.day, 14);
}

TEST_F(CheckerTest, ClockMovedBackwardsReactivatesAndFiresAgain) {
  Add(EveryDay, 9 * 3600, StatusActive, "утро");
  checker.MakePass();
  platform.now.day = 13;
  platform.now.dayOfWeek = 3;
  checker.MakePass();  // re-activated: the last run is not "today" any more
  checker.MakePass();
  EXPECT_EQ(Reminders().size(), 2u);
  EXPECT_EQ(store.tasks[0].lastRun.day, 13);
}

// A pass at noon that finds nothing to do for a daily task skips it until its next turn; a
// change before that, and the turn itself to the second, still reach the passes that follow
// (a pass that looks again too early only does what it did before).
struct QuietCase {
  const char* name;
  int32_t ssec, status, warnMinutes;
  RepeatRule rule;
  void (*change)(Task&);  // after the noon pass
  int32_t later;          // seconds after noon of two more passes
  size_t reminders;       // asked for by the three passes
};

void PrintTo(const QuietCase& c, std::ostream* os) { *os << c.name; }

class QuietTaskTest : public CheckerTest, public testing::WithParamInterface<QuietCase> {};

TEST_P(QuietTaskTest, TheNextPassSeesWhatChanged) {
  const QuietCase& c = GetParam();
  Task& task = store.tasks[static_cast<size_t>(Add(EveryDay, c.ssec, c.status, "задача"))];
  task.rule = c.rule;
  task.warnMinutes = c.warnMinutes;
  checker.MakePass();
  if (c.change) c.change(task);
  platform.now = SystemTimeOf(AddMinutes(MomentOf(platform.now), c.later / 60));
  platform.now.second = static_cast<uint16_t>(c.later % 60);
  checker.MakePass();
  checker.MakePass();
  EXPECT_EQ(Reminders().size(), c.reminders);
}

void EditedTo11(Task& t) {
  Task record = t;
  record.SetTime(11, 0, 0);
  WriteEditorRecord(t, record);
}
void Activated(Task& t) { t.status = StatusActive; }
constexpr int32_t k13 = 13 * 3600, k9 = 9 * 3600;
constexpr RepeatRule kHalfHourly{EveryNMinutes, 30, 0, 86399};

INSTANTIATE_TEST_SUITE_P(
    Cases, QuietTaskTest,
    testing::Values(
        QuietCase{"EditedToAMomentPassed", k13, StatusActive, 0, {}, EditedTo11, 0, 1},
        QuietCase{"ActivatedAfterAPause", k9, StatusPaused, 0, {}, Activated, 0, 1},
        QuietCase{"ItsMomentComes", k13, StatusActive, 0, {}, nullptr, 3600, 1},
        QuietCase{"ItsWarningComes", k13, StatusActive, 15, {}, nullptr, 2700, 1},
        QuietCase{"WarnedAtNoonThenDue", k13, StatusActive, 75, {}, nullptr, 3600, 2},
        QuietCase{"FiredTheNextDay", 0, StatusActive, 0, {}, nullptr, 43200, 2},
        QuietCase{"FiredTheNextSlot", k9, StatusActive, 0, kHalfHourly, nullptr, 1800, 2},
        QuietCase{"FiredClockBack", k9, StatusActive, 0, kHalfHourly, nullptr, -1200, 2}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(CheckerTest, AfterStopNoPassRunsAndNothingIsSaved) {
  Add(EveryDay, 0, StatusActive, "после остановки");
  checker.Stop();
  checker.MakePass();
  EXPECT_TRUE(platform.actions.empty());
  EXPECT_EQ(Saves(), 0);
  EXPECT_EQ(store.tasks[0].status, StatusActive);
}

// The last moment seen is saved after ten minutes of running; a jump or the clock set back is
// no running time; a save that keeps failing is reported once.
struct SeenSaveCase {
  const char* name;
  std::vector<int> steps;  // seconds the clock moves before each pass
  bool failing;
  int saves, errors;  // files created (saves tried), errors reported
};

void PrintTo(const SeenSaveCase& c, std::ostream* os) { *os << c.name; }

class SeenSaveTest : public CheckerTest, public testing::WithParamInterface<SeenSaveCase> {};

TEST_P(SeenSaveTest, SavedEveryTenMinutesOfRunning) {
  const SeenSaveCase& c = GetParam();
  platform.files.failReplace = c.failing;
  store.seen = MomentOf(platform.now);
  int32_t second = SecondOfDay(platform.now);  // noon: the steps stay within the day
  for (int step : c.steps) {
    second += step;
    platform.now.hour = static_cast<uint16_t>(second / 3600);
    platform.now.minute = static_cast<uint16_t>(second / 60 % 60);
    platform.now.second = static_cast<uint16_t>(second % 60);
    checker.MakePass();
  }
  const auto created = std::count_if(platform.files.log.begin(), platform.files.log.end(),
                                     [](const std::string& e) { return e.starts_with("create"); });
  EXPECT_EQ(created, c.saves);
  EXPECT_EQ(static_cast<int>(ActionsStartingWith("error").size()), c.errors);
  if (c.saves > 0 && !c.failing) {
    EXPECT_NE(
        platform.files.files[kDataPath].bytes.find("\r\nSeen=" + DueText(*store.seen) + "\r\n"),
        std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Running, SeenSaveTest,
    testing::Values(SeenSaveCase{"JustUnderTenMinutes", std::vector<int>(20, 29), false, 0, 0},
                    SeenSaveCase{"TenMinutes", std::vector<int>(20, 30), false, 1, 0},
                    SeenSaveCase{"AJumpIsNoRunningTime", {30, 30, 61, 600, 30}, false, 0, 0},
                    SeenSaveCase{"BackwardsIsNoRunningTime", {-600, 30, 30}, false, 0, 0},
                    SeenSaveCase{"FailingTwiceReportedOnce", std::vector<int>(40, 30), true, 2, 1}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(CheckerTest, ThreadMakesItsFirstPassAfterTwoTicks) {
  Add(EveryDay, 0, StatusActive, "x");
  int remindersAtTickTwo = -1;
  platform.onTick = [&] {  // runs on the checker thread
    if (platform.ticks == 2) remindersAtTickTwo = static_cast<int>(Reminders().size());
    if (platform.ticks == 4) checker.RequestStop();
  };
  checker.Start();
  while (platform.ticks < 4) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  checker.Stop();
  EXPECT_EQ(remindersAtTickTwo, 0);
  EXPECT_EQ(Reminders().size(), 1u);
  EXPECT_EQ(platform.ticks, 4) << "no tick after the stop was seen";
}

// Started early, the thread runs its job at once (waited for) and its first tick waits for
// Start; stopped before Start, it ends without a tick.
TEST_F(CheckerTest, ThreadStartedEarlyRunsItsJobAndTicksOnlyAfterStart) {
  for (const bool started : {true, false}) {
    SCOPED_TRACE(started ? "started" : "stopped first");
    Checker early(store, platform);
    platform.ticks = 0;
    std::atomic<bool> startCalled = false, tickedBeforeStart = false, jobRan = false;
    platform.onTick = [&] {
      if (!startCalled) tickedBeforeStart = true;
      if (platform.ticks == 2) early.RequestStop();
    };
    early.StartEarlyWith([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      jobRan = true;
    });
    early.WaitForEarlyJob();
    EXPECT_TRUE(jobRan);
    // Time for a thread that did not wait to tick.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    startCalled = true;
    if (started) early.Start();
    while (started && platform.ticks < 2) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    early.Stop();
    EXPECT_FALSE(tickedBeforeStart);
    EXPECT_EQ(platform.ticks, started ? 2 : 0);
  }
}

}  // namespace

namespace {

TEST_F(CheckerTest, ASnoozedReminderComesBackOnceWhenDueWithItsMelodyAndLeavesTheFile) {
  // 14 March, 12:00:00 now. Due a second ago (with the melody), due now, and due in a second.
  InsertByDue(store.snoozed, {{2024, 3, 14, 11, 59, 59}, "Ежедневно в 11:49:59", "звук", true});
  InsertByDue(store.snoozed, {{2024, 3, 14, 12, 0, 0}, "14 марта", "тихо", false});
  InsertByDue(store.snoozed, {{2024, 3, 14, 12, 0, 1}, "14 марта", "позже", false});
  // With its sound file, repeating: the sounder plays it, under the new popup's number.
  const SoundChoice gong{"C:\\гонг.wav", true};
  InsertByDue(store.snoozed, {{2024, 3, 14, 11, 0, 0}, "14 марта", "гонг", true, gong});
  checker.MakePass();
  EXPECT_EQ(
      ActionsStartingWith("reminder"),
      (std::vector<std::string>{"reminder 14 марта|гонг", "reminder Ежедневно в 11:49:59|звук",
                                "reminder 14 марта|тихо"}));
  EXPECT_EQ(platform.reminderSounds, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(platform.reminderChoices.at(0), gong);
  EXPECT_EQ(ActionsStartingWith("sound"),
            std::vector<std::string>{"sound " + std::to_string(platform.reminderNumbers.at(0)) +
                                     " C:\\гонг.wav|repeat"});
  EXPECT_EQ(ActionsStartingWith("beep").size(), 9u);  // one melody
  EXPECT_EQ(Saves(), 1);
  const std::string& file = platform.files.files.at(kDataPath).bytes;
  EXPECT_NE(file.find("SnoozeN=1\r\n"), std::string::npos);
  EXPECT_NE(file.find("[SNOOZE0]\r\nDue=2024-03-14 12:00:01\r\nMom=14 марта\r\nTex=позже\r\n"),
            std::string::npos);
  checker.MakePass();
  EXPECT_EQ(ActionsStartingWith("reminder").size(), 3u);
  EXPECT_EQ(Saves(), 1);
  platform.now.second = 1;  // only the quiet one is due: no melody
  checker.MakePass();
  EXPECT_EQ(Reminders().back(), "позже");
  EXPECT_EQ(ActionsStartingWith("beep").size(), 9u);
}

// A stop requested while a melody plays ends it at the tone it came in (the table stays free
// for the window meanwhile); a snoozed reminder not shown yet stays for the next start.
class CheckerStopTest : public CheckerTest, public testing::WithParamInterface<size_t> {};

TEST_P(CheckerStopTest, ARequestDuringAMelodyEndsIt) {
  const size_t stopAtTone = GetParam();
  store.tasks[static_cast<size_t>(Add(EveryDay, 11 * 3600, StatusActive, "задача"))].beep = 1;
  InsertByDue(store.snoozed, {{2024, 3, 14, 11, 0, 0}, "14 марта", "отложено", true});
  size_t tones = 0, tablesFree = 0;
  platform.onEffect = [&] {
    tablesFree += TableIsFree();
    if (++tones == stopAtTone) checker.RequestStop();
  };
  checker.MakePass();
  EXPECT_EQ(tones, stopAtTone);
  EXPECT_EQ(tablesFree, stopAtTone);
  const bool snoozedShown = stopAtTone > 9;
  EXPECT_EQ(Reminders().size(), snoozedShown ? 2u : 1u);
  EXPECT_EQ(store.snoozed.size(), snoozedShown ? 0u : 1u);
}

// The task's first tone; the snoozed reminder's first, after the task's nine.
INSTANTIATE_TEST_SUITE_P(TaskOrSnoozed, CheckerStopTest, testing::Values(1u, 10u));

}  // namespace
