// The system clock moved forwards and backwards across midnight, a month end and a year end
// while the checker thread runs, tick by tick: which clock readings fire a task, which turn it
// back to active, and what is left of it at the end. The expected letters are worked out by
// hand from the due and re-activation rules; they are never asked of the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/unit/CheckerFixture.h"

namespace {

constexpr int32_t kGone = -1;  // the task deleted itself after running

struct ClockJumpCase {
  const char* name;
  int32_t recurrence;
  const char* moment;  // the task's date and time; the date counts for recurrences 8, 9 and 10 only
  bool deleteAfter;
  std::vector<const char*> readings;  // the clock at each pass, jumps included
  const char* expected;               // per reading: F fires, R back to active, . nothing
  int32_t finalStatus;                // or kGone
  // The moments listed as missed when the clock jumped forward over more than a minute: each
  // "last moment" and its count.
  std::vector<std::string> missed = {};
  RepeatRule rule = {};
};

void PrintTo(const ClockJumpCase& c, std::ostream* os) { *os << c.name; }

// Monday 26 February to Sunday 3 March 2024, 08:00 and 12:00 each day, then back to Monday.
const std::vector<const char*> kLeapWeek = {
    "2024-02-26 08:00:00", "2024-02-26 12:00:00",  // Monday
    "2024-02-27 08:00:00", "2024-02-27 12:00:00",  // Tuesday
    "2024-02-28 08:00:00", "2024-02-28 12:00:00",  // Wednesday
    "2024-02-29 08:00:00", "2024-02-29 12:00:00",  // Thursday
    "2024-03-01 08:00:00", "2024-03-01 12:00:00",  // Friday
    "2024-03-02 08:00:00", "2024-03-02 12:00:00",  // Saturday
    "2024-03-03 08:00:00", "2024-03-03 12:00:00",  // Sunday
    "2024-02-26 12:00:00",                         // back to Monday
};

const ClockJumpCase kCases[] = {
    // Every day.
    {"DailyForwardOverMidnightAndOverADay",
     EveryDay,
     "2024-03-14 09:00:00",
     false,
     {"2024-03-14 08:59:59", "2024-03-14 09:00:00", "2024-03-14 09:00:01", "2024-03-14 23:59:59",
      "2024-03-15 00:00:00", "2024-03-15 08:59:59", "2024-03-16 09:30:00", "2024-03-16 09:30:01"},
     ".F..R.F.",
     StatusDoneToday,
     {"15.03.2024 09:00:00 x1"}},
    {"DailyBackwardWithinTheDayNeverFiresTwice",
     EveryDay,
     "2024-03-14 09:00:00",
     false,
     {"2024-03-14 10:00:00", "2024-03-14 08:00:00", "2024-03-14 09:00:00", "2024-03-14 23:59:59"},
     "F...",
     StatusDoneToday},
    // Back from 1 March to 29 February: another day, so the task comes back and fires there;
    // forward again, 1 March is another day than 29 February, so it fires on 1 March again.
    {"DailyBackOverLeapDayMidnightFiresAgainAsTheRulesSay",
     EveryDay,
     "2024-03-14 09:00:00",
     false,
     {"2024-03-01 09:30:00", "2024-02-29 23:59:58", "2024-02-29 23:59:59", "2024-03-01 00:00:01",
      "2024-03-01 00:00:02", "2024-03-01 09:00:00", "2024-03-01 09:00:01"},
     "FRFR.F.",
     StatusDoneToday},
    // The last second of the year: re-activated on 1 January, back on 31 December it is due
    // again; on 1 January at 23:59:59 the pass only re-activates, and that second is gone.
    {"DailyLastSecondBackToTheOldYearFiresAgainAsTheRulesSay",
     EveryDay,
     "2024-03-14 23:59:59",
     false,
     {"2024-12-31 23:59:58", "2024-12-31 23:59:59", "2025-01-01 00:00:00", "2025-01-01 00:00:01",
      "2025-01-01 23:59:58", "2024-12-31 23:59:59", "2025-01-01 23:59:59", "2025-01-02 00:00:00"},
     ".FR..FR.",
     StatusActive},
    // The same date a year on is another day.
    {"DailySameDateAYearOnComesBack",
     EveryDay,
     "2024-03-14 09:00:00",
     false,
     {"2024-03-14 09:00:00", "2025-03-14 08:00:00", "2025-03-14 09:00:00"},
     "FRF",
     StatusDoneToday,
     {"13.03.2025 09:00:00 x364"}},
    // Daylight saving: the wall clock skips 02:00-03:00 (a jump of an hour: the moment in the
    // skipped hour is made up at 03:00, not listed) and repeats 02:00-03:00 (a day's moment
    // fires once, and the hour's second run neither fires it nor lists it).
    {"DailyInTheSkippedHourIsMadeUpOnce",
     EveryDay,
     "2024-03-14 02:30:00",
     false,
     {"2024-03-31 01:59:59", "2024-03-31 03:00:00", "2024-03-31 03:00:01"},
     ".F.",
     StatusDoneToday},
    {"DailyInTheRepeatedHourFiresOnce",
     EveryDay,
     "2024-03-14 02:30:00",
     false,
     {"2024-10-27 02:30:00", "2024-10-27 02:59:59", "2024-10-27 02:00:00", "2024-10-27 02:30:00",
      "2024-10-27 03:00:00"},
     "F....",
     StatusDoneToday},
    {"DailyDeleteAfterFiresOnceAndStaysGone",
     EveryDay,
     "2024-03-14 09:00:00",
     true,
     {"2024-02-28 23:59:59", "2024-02-29 09:00:00", "2024-02-28 23:59:59"},
     "F..",
     kGone},

    // Each weekday kind over the week of 29 February, then back to its Monday.
    {"MondayOverLeapWeekAndBackFiresAgainAsTheRulesSay", EveryMonday, "2024-03-14 10:00:00", false,
     kLeapWeek, ".FR...........F", StatusDoneToday},
    {"TuesdayOverLeapWeekAndBack", EveryTuesday, "2024-03-14 10:00:00", false, kLeapWeek,
     "...FR..........", StatusActive},
    {"WednesdayOverLeapWeekAndBack", EveryWednesday, "2024-03-14 10:00:00", false, kLeapWeek,
     ".....FR........", StatusActive},
    {"ThursdayOverLeapWeekAndBack", EveryThursday, "2024-03-14 10:00:00", false, kLeapWeek,
     ".......FR......", StatusActive},
    {"FridayOverLeapWeekAndBack", EveryFriday, "2024-03-14 10:00:00", false, kLeapWeek,
     ".........FR....", StatusActive},
    {"SaturdayOverLeapWeekAndBack", EverySaturday, "2024-03-14 10:00:00", false, kLeapWeek,
     "...........FR..", StatusActive},
    {"SundayOverLeapWeekAndBack", EverySunday, "2024-03-14 10:00:00", false, kLeapWeek,
     ".............FR", StatusActive},
    {"ThursdayBackOneWeekOverMonthEndFiresAgainAsTheRulesSay",
     EveryThursday,
     "2024-03-14 10:00:00",
     false,
     {"2024-03-07 10:00:00", "2024-02-29 10:30:00", "2024-02-29 10:30:01", "2024-03-07 09:00:00",
      "2024-03-07 09:59:59", "2024-03-07 10:00:00"},
     "FRFR.F",
     StatusDoneToday},
    {"SundayDeleteAfterFiresOnceAndStaysGone",
     EverySunday,
     "2024-03-14 23:00:00",
     true,
     {"2024-03-30 23:30:00", "2024-03-31 23:30:00", "2024-04-07 23:30:00"},
     ".F.",
     kGone},

    // Every month.
    {"MonthlyDay29OverLeapFebruaryBackFiresAgainAsTheRulesSay",
     EveryMonth,
     "2024-02-29 10:00:00",
     false,
     {"2024-02-29 09:59:59", "2024-02-29 10:00:00", "2024-03-01 00:00:00", "2024-03-01 10:00:00",
      "2024-03-29 10:00:00", "2024-02-29 10:00:00", "2024-02-29 10:00:01", "2024-02-29 23:59:59"},
     ".FR.FRF.",
     StatusDoneToday},
    // Day 31 never fires in a month of 30 days, nor in February, nor carries over.
    {"MonthlyDay31SkipsShortMonths",
     EveryMonth,
     "2024-01-31 10:00:00",
     false,
     {"2024-04-30 23:59:59", "2024-05-01 00:00:00", "2024-05-31 09:59:59", "2024-05-31 10:00:00",
      "2024-06-01 00:00:00", "2024-06-30 23:59:59", "2024-07-01 00:00:00", "2025-02-28 23:59:59",
      "2025-03-31 10:00:00"},
     "...FR...F",
     StatusDoneToday,
     {"31.01.2025 10:00:00 x5"}},
    {"MonthlyOverYearEndBackToDecemberFiresAgainAsTheRulesSay",
     EveryMonth,
     "2024-01-31 12:00:00",
     false,
     {"2024-12-31 12:00:00", "2025-01-01 00:00:00", "2025-01-31 11:59:59", "2025-01-31 12:00:00",
      "2024-12-31 23:00:00", "2024-12-31 23:00:01", "2024-12-31 23:59:59"},
     "FR.FRF.",
     StatusDoneToday},
    {"MonthlyBackwardWithinTheMonthNeverFiresTwice",
     EveryMonth,
     "2024-03-15 10:00:00",
     false,
     {"2024-03-15 10:00:00", "2024-03-02 08:00:00", "2024-03-31 23:59:59", "2024-04-01 00:00:00"},
     "F..R",
     StatusActive},
    // The same month a year on is another month.
    {"MonthlySameMonthAYearOnComesBack",
     EveryMonth,
     "2024-03-15 10:00:00",
     false,
     {"2024-03-15 10:00:00", "2025-03-10 08:00:00", "2025-03-15 09:59:59", "2025-03-15 10:00:00"},
     "FR.F",
     StatusDoneToday,
     {"15.02.2025 10:00:00 x11"}},
    {"MonthlyDeleteAfterCatchesUpOnceAndStaysGone",
     EveryMonth,
     "2024-01-05 08:00:00",
     true,
     {"2024-01-20 12:00:00", "2024-02-05 08:00:00"},
     "F.",
     kGone},

    // Every year.
    {"YearlyLeapDayInACommonYearFiresOnFirstOfMarch",
     EveryYear,
     "2024-02-29 10:00:00",
     false,
     {"2025-02-28 23:59:59", "2025-03-01 00:00:00", "2025-03-01 00:00:01", "2025-12-31 23:59:59",
      "2026-01-01 00:00:00", "2026-01-01 00:00:01"},
     ".F..R.",
     StatusActive},
    {"YearlyLeapDayBackToTheOldYearFiresAgainAsTheRulesSay",
     EveryYear,
     "2024-02-29 10:00:00",
     false,
     {"2024-02-29 09:59:59", "2024-02-29 10:00:00", "2024-03-01 00:00:00", "2025-01-01 00:00:00",
      "2025-02-28 23:59:59", "2024-12-31 23:59:59", "2025-01-01 00:00:00", "2025-03-01 00:00:00"},
     ".F.R.FRF",
     StatusDoneToday},
    {"YearlyBackwardWithinTheYearNeverFiresTwice",
     EveryYear,
     "2024-12-31 23:59:59",
     false,
     {"2024-12-31 23:59:59", "2024-01-01 00:00:00", "2024-12-31 23:59:59", "2025-01-01 00:00:00",
      "2025-12-31 23:59:58"},
     "F..R.",
     StatusActive},
    {"YearlyDeleteAfterFiresOnceAndStaysGone",
     EveryYear,
     "2024-12-31 12:00:00",
     true,
     {"2024-12-31 12:00:00", "2025-12-31 12:00:00"},
     "F.",
     kGone},

    // Once.
    {"OnceAtYearEndCaughtUpAfterAJumpNeverAgain",
     Once,
     "2024-12-31 23:59:59",
     false,
     {"2024-12-31 23:59:58", "2025-01-01 00:00:05", "2024-12-31 23:59:59", "2025-01-01 00:00:06",
      "2026-01-01 00:00:00"},
     ".F...",
     StatusDone},
    {"OnceAtMidnightOfFirstMarchBackAndForthNeverAgain",
     Once,
     "2024-03-01 00:00:00",
     false,
     {"2024-02-29 23:59:59", "2024-03-01 00:00:00", "2024-02-29 23:59:59", "2024-03-01 00:00:00"},
     ".F..",
     StatusDone},
    {"OnceOnLeapDayDeleteAfterStaysGone",
     Once,
     "2024-02-29 12:00:00",
     true,
     {"2024-02-28 23:59:59", "2024-02-29 11:59:59", "2024-02-29 12:00:00", "2024-02-28 12:00:00",
      "2024-02-29 12:00:00"},
     "..F..",
     kGone},
    // Every minute from 09:00 to 09:05: back within the day over a slot's start, the slot fires
    // again as a day does; forward over three slots, the latest is made up and three are listed.
    {"EveryMinuteBackOverASlotAndForwardOverThree",
     EveryDay,
     "2024-03-14 09:00:00",
     false,
     {"2024-03-14 09:00:00", "2024-03-14 09:00:30", "2024-03-14 09:01:00", "2024-03-14 09:01:01",
      "2024-03-14 09:00:40", "2024-03-14 09:00:41", "2024-03-14 09:01:10", "2024-03-14 09:01:11",
      "2024-03-14 09:06:00", "2024-03-14 09:06:01", "2024-03-14 09:06:30", "2024-03-14 09:07:00"},
     "F.RFRFRFRF..",
     StatusDoneToday,
     {"14.03.2024 09:04:00 x3"},
     {EveryNMinutes, 1, 0, SecondOfDay(9, 5, 0)}},
    // The last Thursday is 29 February: done for February, active in March, whose last Thursday
    // is still to come; back in February it is due again there.
    {"LastThursdayBackFromMarch",
     EveryMonth,
     "2024-02-29 12:00:00",
     false,
     {"2024-02-29 11:59:59", "2024-02-29 12:00:00", "2024-03-01 00:00:00", "2024-03-01 00:00:01",
      "2024-02-29 12:00:30"},
     ".FR.F",
     StatusDoneToday,
     {},
     {NthWeekdayOfMonth, kLastOfMonth, WeekdayBit(4)}},
    // Every second day from Wednesday 28 February: its periods begin on 1 and 3 March.
    {"EverySecondDayOverTheLeapDayAndBack",
     EveryDay,
     "2024-02-28 08:00:00",
     false,
     kLeapWeek,
     "....F...RF..RFR",
     StatusActive,
     {},
     {EveryNDays, 2}},
};

class ClockJumpTest : public CheckerFixture, public testing::WithParamInterface<ClockJumpCase> {
 protected:
  size_t Reminders() const { return ActionsStartingWith("reminder").size(); }
};

TEST_P(ClockJumpTest, FiresAndComesBackAsTheRulesSay) {
  const ClockJumpCase& c = GetParam();
  const size_t passes = c.readings.size();
  ASSERT_EQ(std::strlen(c.expected), passes) << "one letter per reading";
  std::vector<SystemTime> clock;
  for (const char* r : c.readings) clock.push_back(Reading(r));

  const SystemTime moment = Reading(c.moment);
  Task task;
  task.recurrence = c.recurrence;
  task.SetSecondOfDay(moment.hour * 3600 + moment.minute * 60 + moment.second);
  task.year = moment.year;
  task.month = moment.month;
  task.day = moment.day;
  task.message = c.name;
  task.showMessage = 1;
  task.deleteAfter = c.deleteAfter ? 1 : 0;
  task.status = StatusActive;
  task.rule = c.rule;
  task.id = store.NewId();
  store.tasks.push_back(task);
  BuildRow(store, 0, true);
  store.tasks[0].armed = 1;
  const uint64_t id = task.id;

  // Pass k follows tick k + 2 (the outer tick, then one inner tick per pass). Between passes
  // the checker thread is here: it looks at what the last pass did and sets the next reading.
  std::string outcome;
  std::vector<std::string> wrongLastRuns;
  size_t remindersBefore = 0;
  int32_t statusBefore = kGone;
  platform.onTick = [&] {
    const int tick = platform.ticks;
    std::lock_guard lock(store.mutex);
    const int index = store.IndexOf(id);
    const int32_t status = index >= 0 ? store.tasks[static_cast<size_t>(index)].status : kGone;
    const int ended = tick - 3;
    if (ended >= 0 && ended < static_cast<int>(passes)) {
      const size_t fired = Reminders() - remindersBefore;
      char what = '.';
      if (fired == 1)
        what = 'F';
      else if (fired > 1)
        what = '2';  // fired twice in one pass
      else if (statusBefore == StatusDoneToday && status == StatusActive)
        what = 'R';
      outcome += what;
      if (what == 'F' && index >= 0) {
        const Task& t = store.tasks[static_cast<size_t>(index)];
        const SystemTime& at = clock[static_cast<size_t>(ended)];
        if (t.lastRun.year != at.year || t.lastRun.month != at.month || t.lastRun.day != at.day ||
            t.lastRun.hour != at.hour || t.lastRun.minute != at.minute ||
            t.lastRun.second != at.second)
          wrongLastRuns.push_back(c.readings[static_cast<size_t>(ended)]);
      }
    }
    const int next = tick - 2;
    if (next >= static_cast<int>(passes)) {
      checker.RequestStop();
    } else if (next >= 0) {
      std::lock_guard clockGuard(platform.clockMutex);
      platform.now = clock[static_cast<size_t>(next)];
      remindersBefore = Reminders();
      statusBefore = status;
    }
  };
  checker.Start();
  while (checker.Running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  checker.Stop();

  EXPECT_EQ(outcome, c.expected) << "F fires, R back to active, . nothing";
  EXPECT_EQ(wrongLastRuns, std::vector<std::string>{})
      << "readings whose firing did not record the pass's time as the last run";
  const auto firings = std::count(outcome.begin(), outcome.end(), 'F');
  const auto comebacks = std::count(outcome.begin(), outcome.end(), 'R');
  EXPECT_EQ(Saves(), firings + comebacks) << "each firing and each re-activation saves once";
  for (const auto& r : ActionsStartingWith("reminder"))
    EXPECT_EQ(r.substr(r.find('|') + 1), c.name);

  std::vector<std::string> missed;
  for (const auto& list : platform.missedLists)
    for (const MissedReminder& row : list)
      missed.push_back(MissedMomentText(row.last) + " x" + std::to_string(row.count));
  EXPECT_EQ(missed, c.missed);

  const int index = store.IndexOf(id);
  if (c.finalStatus == kGone) {
    EXPECT_EQ(index, -1);
    EXPECT_EQ(store.rows.Count(), 0);
  } else {
    ASSERT_EQ(index, 0);
    EXPECT_EQ(store.tasks[0].status, c.finalStatus);
    EXPECT_EQ(store.tasks[0].doneThisPeriod, c.finalStatus == StatusDoneToday ? 1 : 0);
    ASSERT_EQ(store.rows.Count(), 1);
    EXPECT_EQ(store.rows.Cell(0, ColumnStatus), StatusText(c.finalStatus));
  }
}

INSTANTIATE_TEST_SUITE_P(Recurrences, ClockJumpTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ClockJumpCase>& test) {
                           return std::string(test.param.name);
                         });

}  // namespace
