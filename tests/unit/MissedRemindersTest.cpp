// The reminders missed while the program was not running, found by the first pass after a start
// at Thursday 14 March 2024 10:00:00 with the last moment seen one hour, one day, eight days,
// forty days and two years back; and what the same passes make up. The expected rows are
// counted by hand on a calendar.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>
#include <thread>

#include "core/Schedule.h"
#include "tests/unit/CheckerFixture.h"

namespace {

constexpr const char* kNow = "2024-03-14 10:00:00";
constexpr std::array<const char*, 5> kSeen = {"2024-03-14 09:00:00", "2024-03-13 10:00:00",
                                              "2024-03-06 10:00:00", "2024-02-03 10:00:00",
                                              "2022-03-14 10:00:00"};

struct MissedCase {
  const char* name;
  int32_t recurrence;
  const char* date;  // the day, month and year the recurrence reads; the time is 09:30:00
  // "S" a shutdown task; "P" paused, "D" done; "W" still waiting at the moment seen (the last pass
  // had only just made it active), so that moment is missed too — without, the program, running
  // then, had fired what was due.
  const char* flags;
  // Per moment seen, after a ';' each: "" nothing listed, or the row's "last moment|count"; " F"
  // when the passes now fire the task (a reminder or a shutdown).
  const char* expected;
  RepeatRule rule = {};
};

void PrintTo(const MissedCase& c, std::ostream* os) { *os << c.name; }

const MissedCase kCases[] = {
    {"Daily", EveryDay, "2024-03-14", "",
     " F; F;13.03.2024 09:30:00|7 F;13.03.2024 09:30:00|39 F;13.03.2024 09:30:00|365+ F"},
    {"Thursday", EveryThursday, "2024-03-14", "",
     " F; F;07.03.2024 09:30:00| F;07.03.2024 09:30:00|5 F;07.03.2024 09:30:00|52+ F"},
    {"Sunday", EverySunday, "2024-03-14", "",
     ";;10.03.2024 09:30:00|;10.03.2024 09:30:00|6;10.03.2024 09:30:00|52+"},
    {"MonthlyToday", EveryMonth, "2024-03-14", "",
     " F; F; F;14.02.2024 09:30:00| F;14.02.2024 09:30:00|11+ F"},
    {"MonthlyDay31SkipsShortMonths", EveryMonth, "2024-01-31", "", ";;;;31.01.2024 09:30:00|7+"},
    // Once a year: nothing in the last year but the moment made up now, so it looks further back.
    {"YearlyToday", EveryYear, "2024-03-14", "", " F; F; F; F;14.03.2023 09:30:00| F"},
    {"YearlyFirstOfFebruaryMadeUpInMarch", EveryYear, "2024-02-01", "",
     ";;;;01.02.2023 09:30:00| F"},
    {"OnceIsAlwaysMadeUp", Once, "2024-03-10", "", ";; F; F; F"},
    // A shutdown caught up after its moment only records the run: every moment is missed.
    {"DailyShutdown", EveryDay, "2024-03-14", "S",
     "14.03.2024 09:30:00|;14.03.2024 09:30:00|;14.03.2024 09:30:00|8;14.03.2024 "
     "09:30:00|40;14.03.2024 09:30:00|366+"},
    {"OnceShutdown", Once, "2024-03-10", "S",
     ";;10.03.2024 09:30:00|;10.03.2024 09:30:00|;10.03.2024 09:30:00|"},
    {"DailyStillDueWhenSeen", EveryDay, "2024-03-14", "W",
     " F;13.03.2024 10:00:00| F;13.03.2024 09:30:00|8 F;13.03.2024 09:30:00|40 F;13.03.2024 "
     "09:30:00|365+ F"},
    {"Paused", EveryDay, "2024-03-14", "P", ";;;;"},
    {"OnceDone", Once, "2024-03-10", "D", ";;;;"},
    // The rules beyond the recurrence, their moments at 09:30:00 (slots every 45 minutes until
    // 18:00): a slot kind makes up its latest slot of today only.
    {"Every45MinutesFrom0930To1800",
     EveryDay,
     "2024-03-14",
     "",
     " F;13.03.2024 17:45:00|11 F;13.03.2024 17:45:00|95 F;13.03.2024 17:45:00|479 F;13.03.2024 "
     "17:45:00|4391+ F",
     {EveryNMinutes, 45, 0, SecondOfDay(18, 0, 0)}},
    {"MondayWednesdayFriday",
     EveryDay,
     "2024-03-14",
     "",
     ";;13.03.2024 09:30:00|3;13.03.2024 09:30:00|17;13.03.2024 09:30:00|157+",
     {OnWeekdays, 0, WeekdayBit(1) | WeekdayBit(3) | WeekdayBit(5)}},
    {"SecondThursdayIsToday",
     EveryMonth,
     "2024-03-14",
     "",
     " F; F; F;08.02.2024 09:30:00| F;08.02.2024 09:30:00|11+ F",
     {NthWeekdayOfMonth, 2, WeekdayBit(4)}},
    {"LastFriday",
     EveryMonth,
     "2024-03-14",
     "",
     ";;;23.02.2024 09:30:00|;23.02.2024 09:30:00|12+",
     {NthWeekdayOfMonth, kLastOfMonth, WeekdayBit(5)}},
    {"Every3DaysFromThe12th", EveryDay, "2024-03-12", "", ";; F; F; F", {EveryNDays, 3}},
};

class MissedRemindersTest : public CheckerFixture,
                            public testing::WithParamInterface<MissedCase> {};

TEST_P(MissedRemindersTest, ListsWhatThePassesDoNotMakeUp) {
  const MissedCase& c = GetParam();
  const SystemTime date = Reading((std::string(c.date) + " 09:30:00").c_str());
  const std::string flags = c.flags;
  std::vector<std::string> expected(1);
  for (const char* e = c.expected; *e; ++e)
    *e == ';' ? expected.emplace_back() : expected.back() += *e;
  ASSERT_EQ(expected.size(), kSeen.size());
  for (size_t s = 0; s < kSeen.size(); ++s) {
    SCOPED_TRACE(kSeen[s]);
    store.tasks.clear();
    store.rows.Clear();
    platform.actions.clear();
    platform.missedLists.clear();
    const int32_t status = flags == "P" ? StatusPaused : flags == "D" ? StatusDone : StatusActive;
    const int index = Add(c.recurrence, 9 * 3600 + 30 * 60, status, "Первая\r\nвторая");
    Task& task = store.tasks[static_cast<size_t>(index)];
    std::tie(task.year, task.month, task.day) = std::tuple(date.year, date.month, date.day);
    task.shutDown = flags == "S";
    task.showMessage = !task.shutDown;
    task.rule = c.rule;
    const SystemTime seen = Reading(kSeen[s]);
    if (flags != "W" && task.status == StatusActive && IsDue(task, seen)) RecordFiring(task, seen);
    store.seen = MomentOf(seen);

    platform.now = Reading(kNow);
    checker.MakePass();
    checker.MakePass();  // a task done for an earlier period fires on the pass after its return

    std::string outcome;
    ASSERT_LE(platform.missedLists.size(), 1u);
    if (!platform.missedLists.empty()) {
      ASSERT_EQ(platform.missedLists[0].size(), 1u);
      const MissedReminder& row = platform.missedLists[0][0];
      outcome = MissedMomentText(row.last) + "|" + MissedCountText(row);
      EXPECT_EQ(row.message, "Первая");
      EXPECT_EQ(row.actions, ActionText(task));
    }
    if (!ActionsStartingWith("reminder").empty() || !ActionsStartingWith("shutdown").empty())
      outcome += " F";
    EXPECT_EQ(outcome, expected[s]);
    EXPECT_EQ(store.seen, MomentOf(platform.now)) << "the pass is the last moment seen";
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, MissedRemindersTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<MissedCase>& test) {
                           return std::string(test.param.name);
                         });

}  // namespace

// A sleep shorter than the jump that counts as time away: only the wake-up notice makes the pass
// look for what was missed; a task being edited (unarmed) is left out.
TEST_F(CheckerFixture, AWakeUpListsWhatAShortSleepMissedButNotATaskBeingEdited) {
  for (const bool resumed : {false, true}) {
    SCOPED_TRACE(resumed ? "resume notice" : "no notice");
    store.tasks.clear();
    store.rows.Clear();
    platform.missedLists.clear();
    Add(EveryDay, SecondOfDay(23, 59, 50), StatusActive, "Перед полуночью");
    Add(EveryDay, SecondOfDay(23, 59, 50), StatusActive, "В редакторе");
    store.tasks[1].armed = false;
    store.seen.reset();
    platform.now = Reading("2024-03-14 23:59:45");
    checker.MakePass();
    platform.now = Reading("2024-03-15 00:00:20");
    if (resumed) checker.Resumed();
    checker.MakePass();
    if (!resumed) {
      EXPECT_TRUE(platform.missedLists.empty());
      continue;
    }
    ASSERT_EQ(platform.missedLists.size(), 1u);
    ASSERT_EQ(platform.missedLists[0].size(), 1u);
    EXPECT_EQ(platform.missedLists[0][0].message, "Перед полуночью");
    EXPECT_EQ(MissedMomentText(platform.missedLists[0][0].last), "14.03.2024 23:59:50");
  }
}

// The computer wakes three seconds after a shutdown task's moment: the moment fell in the sleep,
// so nothing shuts down and the task is listed.
TEST_F(CheckerFixture, AShutdownDueJustBeforeTheWakeUpIsListedNotPerformed) {
  Add(EveryDay, SecondOfDay(22, 0, 0), StatusActive, "Выключить");
  store.tasks[0].shutDown = true;
  platform.now = Reading("2024-03-14 21:00:00");
  // The thread's first pass follows tick 2, at 21:00; the computer sleeps; it wakes at 22:00:03
  // before the pass of tick 3.
  platform.onTick = [&] {
    if (platform.ticks == 3) {
      std::lock_guard clock(platform.clockMutex);
      platform.now = Reading("2024-03-14 22:00:03");
      checker.Resumed();
    }
    if (platform.ticks >= 4) checker.RequestStop();
  };
  checker.Start();  // running since 21:00
  while (checker.Running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  checker.Stop();
  EXPECT_TRUE(ActionsStartingWith("shutdown").empty());
  ASSERT_EQ(platform.missedLists.size(), 1u);
  ASSERT_EQ(platform.missedLists[0].size(), 1u);
  EXPECT_EQ(MissedMomentText(platform.missedLists[0][0].last), "14.03.2024 22:00:00");
}
