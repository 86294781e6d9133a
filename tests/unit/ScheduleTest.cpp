// When a task is due, when a done-for-today task comes back, and the state a task saved by the
// user takes, at the edges of its period.
#include <gtest/gtest.h>

#include <regex>
#include <tuple>
#include <vector>

#include "checker/Checker.h"
#include "core/Calendar.h"
#include "core/RowTexts.h"
#include "core/Schedule.h"
#include "core/Store.h"
#include "tests/support/FakePlatform.h"

namespace {

// Day of week by Zeller-free counting from a known Monday (1 January 2024).
uint16_t WeekDay(int year, int month, int day) {
  auto days = [](int y, int m, int d) {
    if (m < 3) {
      y -= 1;
      m += 12;
    }
    return 365L * y + y / 4 - y / 100 + y / 400 + (153 * (m - 3) + 2) / 5 + d;
  };
  const long delta = days(year, month, day) - days(2024, 1, 1);
  return static_cast<uint16_t>(((delta % 7) + 7 + 1) % 7);
}

SystemTime At(int year, int month, int day, int hour, int minute, int second) {
  SystemTime t;
  t.year = static_cast<uint16_t>(year);
  t.month = static_cast<uint16_t>(month);
  t.day = static_cast<uint16_t>(day);
  t.dayOfWeek = WeekDay(year, month, day);
  t.hour = static_cast<uint16_t>(hour);
  t.minute = static_cast<uint16_t>(minute);
  t.second = static_cast<uint16_t>(second);
  t.milliseconds = 999;
  return t;
}

TEST(WeekDayHelper, KnownDates) {
  EXPECT_EQ(WeekDay(2024, 1, 1), 1);    // Monday
  EXPECT_EQ(WeekDay(2024, 2, 29), 4);   // Thursday
  EXPECT_EQ(WeekDay(2026, 12, 8), 2);   // Tuesday
  EXPECT_EQ(WeekDay(2023, 12, 31), 0);  // Sunday
}

struct DueCase {
  const char* name;
  int32_t recurrence, ssec, day, month, year;
  SystemTime now;
  bool due;
};

class DueTest : public testing::TestWithParam<DueCase> {};

TEST_P(DueTest, Decides) {
  const DueCase& c = GetParam();
  Task t;
  t.recurrence = c.recurrence;
  t.SetSecondOfDay(c.ssec);
  t.day = c.day;
  t.month = c.month;
  t.year = c.year;
  EXPECT_EQ(IsDue(t, c.now), c.due) << c.name;
}

constexpr int32_t k0830 = 8 * 3600 + 30 * 60;
constexpr int32_t kLast = 86399;
constexpr int32_t kMonWedFri = WeekdayBit(1) | WeekdayBit(3) | WeekdayBit(5);

INSTANTIATE_TEST_SUITE_P(
    EveryRecurrence, DueTest,
    testing::Values(
        // Daily: time of day only, from the moment to midnight.
        DueCase{"daily at its second", 0, k0830, 0, 0, 0, At(2024, 3, 14, 8, 30, 0), true},
        DueCase{"daily a second before", 0, k0830, 0, 0, 0, At(2024, 3, 14, 8, 29, 59), false},
        DueCase{"daily late in the day", 0, k0830, 0, 0, 0, At(2024, 3, 14, 23, 59, 59), true},
        DueCase{"daily after midnight", 0, k0830, 0, 0, 0, At(2024, 3, 15, 0, 0, 0), false},
        DueCase{"daily at 23:59:59", 0, kLast, 0, 0, 0, At(2024, 3, 14, 23, 59, 59), true},
        DueCase{"daily 23:59:59 a second before", 0, kLast, 0, 0, 0, At(2024, 3, 14, 23, 59, 58),
                false},
        DueCase{"daily at midnight", 0, 0, 0, 0, 0, At(2024, 3, 14, 0, 0, 0), true},
        // Weekdays: 1 Monday ... 6 Saturday, 7 Sunday (weekday 0).
        DueCase{"monday on monday", 1, k0830, 0, 0, 0, At(2024, 1, 1, 8, 30, 0), true},
        DueCase{"monday on tuesday", 1, k0830, 0, 0, 0, At(2024, 1, 2, 9, 0, 0), false},
        DueCase{"tuesday on tuesday", 2, k0830, 0, 0, 0, At(2024, 1, 2, 9, 0, 0), true},
        DueCase{"wednesday", 3, k0830, 0, 0, 0, At(2024, 1, 3, 9, 0, 0), true},
        DueCase{"thursday 29 Feb", 4, k0830, 0, 0, 0, At(2024, 2, 29, 9, 0, 0), true},
        DueCase{"friday", 5, k0830, 0, 0, 0, At(2024, 1, 5, 9, 0, 0), true},
        DueCase{"saturday", 6, k0830, 0, 0, 0, At(2024, 1, 6, 9, 0, 0), true},
        DueCase{"saturday early", 6, k0830, 0, 0, 0, At(2024, 1, 6, 8, 29, 59), false},
        DueCase{"sunday on sunday", 7, k0830, 0, 0, 0, At(2024, 1, 7, 9, 0, 0), true},
        DueCase{"sunday on monday", 7, k0830, 0, 0, 0, At(2024, 1, 8, 9, 0, 0), false},
        DueCase{"saturday task on sunday", 6, k0830, 0, 0, 0, At(2024, 1, 7, 9, 0, 0), false},
        // Monthly: (day, time) within the month.
        DueCase{"monthly at its moment", 8, k0830, 15, 0, 0, At(2024, 5, 15, 8, 30, 0), true},
        DueCase{"monthly a second before", 8, k0830, 15, 0, 0, At(2024, 5, 15, 8, 29, 59), false},
        DueCase{"monthly a day later, early", 8, k0830, 15, 0, 0, At(2024, 5, 16, 0, 0, 0), true},
        DueCase{"monthly day before", 8, k0830, 15, 0, 0, At(2024, 5, 14, 23, 59, 59), false},
        DueCase{"monthly 31 in April never", 8, k0830, 31, 0, 0, At(2024, 4, 30, 23, 59, 59),
                false},
        DueCase{"monthly 31 in May", 8, k0830, 31, 0, 0, At(2024, 5, 31, 8, 30, 0), true},
        DueCase{"monthly 30 in February never", 8, 0, 30, 0, 0, At(2024, 2, 29, 23, 59, 59), false},
        DueCase{"monthly new month resets", 8, k0830, 15, 0, 0, At(2024, 6, 1, 9, 0, 0), false},
        // Yearly: (month, day, time) within the year.
        DueCase{"yearly at its moment", 9, k0830, 15, 5, 0, At(2024, 5, 15, 8, 30, 0), true},
        DueCase{"yearly a second before", 9, k0830, 15, 5, 0, At(2024, 5, 15, 8, 29, 59), false},
        DueCase{"yearly later month", 9, k0830, 15, 5, 0, At(2024, 6, 1, 0, 0, 0), true},
        DueCase{"yearly later day", 9, k0830, 15, 5, 0, At(2024, 5, 16, 0, 0, 0), true},
        DueCase{"yearly earlier month, later day", 9, k0830, 15, 5, 0, At(2024, 4, 30, 9, 0, 0),
                false},
        DueCase{"yearly new year resets", 9, k0830, 15, 5, 0, At(2025, 1, 1, 0, 0, 0), false},
        DueCase{"yearly 29 Feb in leap year", 9, k0830, 29, 2, 0, At(2024, 2, 29, 8, 30, 0), true},
        DueCase{"yearly 29 Feb, common year 28th", 9, k0830, 29, 2, 0, At(2023, 2, 28, 23, 59, 59),
                false},
        DueCase{"yearly 29 Feb, common year 1 March", 9, k0830, 29, 2, 0, At(2023, 3, 1, 0, 0, 0),
                true},
        DueCase{"yearly 31 Dec at the last second", 9, kLast, 31, 12, 0,
                At(2024, 12, 31, 23, 59, 59), true},
        // Once: the full date and time.
        DueCase{"once at its moment", 10, k0830, 15, 5, 2024, At(2024, 5, 15, 8, 30, 0), true},
        DueCase{"once a second before", 10, k0830, 15, 5, 2024, At(2024, 5, 15, 8, 29, 59), false},
        DueCase{"once years later", 10, k0830, 15, 5, 2024, At(2030, 1, 1, 0, 0, 0), true},
        DueCase{"once next year, earlier month", 10, k0830, 15, 5, 2024, At(2025, 1, 1, 0, 0, 0),
                true},
        DueCase{"once earlier year, later month", 10, k0830, 15, 5, 2024,
                At(2023, 12, 31, 23, 59, 59), false},
        DueCase{"once later month", 10, k0830, 15, 5, 2024, At(2024, 6, 1, 0, 0, 0), true},
        DueCase{"once later day", 10, k0830, 15, 5, 2024, At(2024, 5, 16, 0, 0, 0), true},
        DueCase{"once earlier day, later time", 10, k0830, 15, 5, 2024, At(2024, 5, 14, 23, 0, 0),
                false},
        DueCase{"once 29 Feb 2024", 10, 0, 29, 2, 2024, At(2024, 2, 29, 0, 0, 0), true},
        // Codes outside 0..10 never fire.
        DueCase{"recurrence 11", 11, 0, 1, 1, 2000, At(2024, 5, 15, 23, 59, 59), false},
        DueCase{"recurrence -1", -1, 0, 1, 1, 2000, At(2024, 5, 15, 23, 59, 59), false},
        // A negative Ssec is reached at once; one past the day never.
        DueCase{"ssec -1", 0, -1, 0, 0, 0, At(2024, 5, 15, 0, 0, 0), true},
        DueCase{"ssec 86400", 0, 86400, 0, 0, 0, At(2024, 5, 15, 23, 59, 59), false}),
    [](const testing::TestParamInfo<DueCase>& test) {
      return "case" + std::to_string(test.index);
    });

struct ReactivateCase {
  const char* name;
  int32_t recurrence;
  int prevY, prevM, prevD;
  SystemTime now;
  bool reactivate;
  RepeatRule rule = {};  // from 1 March 2024 (every N days)
};

class ReactivateTest : public testing::TestWithParam<ReactivateCase> {};

TEST_P(ReactivateTest, Decides) {
  const ReactivateCase& c = GetParam();
  Task t;
  t.recurrence = c.recurrence;
  t.lastRun.year = static_cast<uint16_t>(c.prevY);
  t.lastRun.month = static_cast<uint16_t>(c.prevM);
  t.lastRun.day = static_cast<uint16_t>(c.prevD);
  t.rule = c.rule;
  t.year = 2024, t.month = 3, t.day = 1;
  EXPECT_EQ(ShouldReactivate(t, c.now), c.reactivate) << c.name;
}

// The rules' periods are followed over the checker's passes below; here what those passes never
// meet: the Nth weekday's month a year on, and a last firing before every N days' start.
constexpr RepeatRule kFirstSunday{NthWeekdayOfMonth, 1, 1}, kEvery3Days{EveryNDays, 3};

INSTANTIATE_TEST_SUITE_P(
    EveryRecurrence, ReactivateTest,
    testing::Values(
        ReactivateCase{"daily same day", 0, 2024, 3, 14, At(2024, 3, 14, 23, 59, 59), false},
        ReactivateCase{"daily next day", 0, 2024, 3, 14, At(2024, 3, 15, 0, 0, 0), true},
        ReactivateCase{"daily same day next month", 0, 2024, 3, 14, At(2024, 4, 14, 0, 0, 0), true},
        ReactivateCase{"daily same date next year", 0, 2024, 3, 14, At(2025, 3, 14, 0, 0, 0), true},
        ReactivateCase{"daily clock moved back", 0, 2024, 3, 14, At(2024, 3, 13, 12, 0, 0), true},
        ReactivateCase{"sunday next week", 7, 2024, 1, 7, At(2024, 1, 14, 0, 0, 0), true},
        ReactivateCase{"weekday same day", 3, 2024, 1, 3, At(2024, 1, 3, 10, 0, 0), false},
        ReactivateCase{"monthly same month", 8, 2024, 5, 15, At(2024, 5, 31, 23, 59, 59), false},
        ReactivateCase{"monthly next month", 8, 2024, 5, 15, At(2024, 6, 1, 0, 0, 0), true},
        ReactivateCase{"monthly same month next year", 8, 2024, 5, 15, At(2025, 5, 1, 0, 0, 0),
                       true},
        ReactivateCase{"monthly clock moved back a month", 8, 2024, 5, 15, At(2024, 4, 20, 0, 0, 0),
                       true},
        ReactivateCase{"yearly same year", 9, 2024, 5, 15, At(2024, 12, 31, 23, 59, 59), false},
        ReactivateCase{"yearly next year", 9, 2024, 5, 15, At(2025, 1, 1, 0, 0, 0), true},
        ReactivateCase{"once never", 10, 2020, 1, 1, At(2024, 1, 1, 0, 0, 0), false},
        ReactivateCase{"recurrence 11 never", 11, 2020, 1, 1, At(2024, 1, 1, 0, 0, 0), false},
        ReactivateCase{"negative recurrence counts as below 8", -1, 2020, 1, 1,
                       At(2024, 1, 1, 0, 0, 0), true},
        ReactivateCase{"nth, same month", 8, 2024, 5, 1, At(2024, 5, 31, 23, 59, 59), false,
                       kFirstSunday},
        ReactivateCase{"nth, a year on", 8, 2024, 5, 1, At(2025, 5, 1, 0, 0, 0), true,
                       kFirstSunday},
        ReactivateCase{"3 days, before", 0, 2024, 2, 28, At(2024, 2, 29, 0, 0, 0), false,
                       kEvery3Days},
        ReactivateCase{"3 days, first", 0, 2024, 2, 29, At(2024, 3, 1, 0, 0, 0), true,
                       kEvery3Days}),

    [](const testing::TestParamInfo<ReactivateCase>& test) {
      return "case" + std::to_string(test.index);
    });

// A task saved at `saved`: done for its period exactly as a firing then would leave it (kept
// until the period's last second, back at the next one's first), or left active.
TEST(SkipMomentBeforeSaving, DoneForThePeriodWhenItsMomentHasCome) {
  const SystemTime kStays{};  // the task stays active: no period to check
  struct Case {
    int32_t recurrence, ssec, day, month, year;
    SystemTime saved, lastDone, back;
  };
  const Case cases[] = {
      {EveryDay, k0830, 0, 0, 0, At(2024, 3, 14, 8, 29, 59), kStays, kStays},
      {EveryDay, k0830, 0, 0, 0, At(2024, 3, 14, 8, 30, 0), At(2024, 3, 14, 23, 59, 59),
       At(2024, 3, 15, 0, 0, 0)},
      {EveryDay, k0830, 0, 0, 0, At(2024, 3, 14, 8, 30, 1), At(2024, 3, 14, 23, 59, 59),
       At(2024, 3, 15, 0, 0, 0)},
      {EveryMonday, k0830, 0, 0, 0, At(2024, 1, 1, 8, 30, 0), At(2024, 1, 1, 23, 59, 59),
       At(2024, 1, 2, 0, 0, 0)},
      // This week's Monday has passed: the task is not due before the next one.
      {EveryMonday, k0830, 0, 0, 0, At(2024, 1, 2, 8, 30, 0), kStays, kStays},
      {EveryMonth, k0830, 15, 0, 0, At(2024, 5, 15, 8, 29, 59), kStays, kStays},
      {EveryMonth, k0830, 15, 0, 0, At(2024, 5, 16, 0, 0, 0), At(2024, 5, 31, 23, 59, 59),
       At(2024, 6, 1, 0, 0, 0)},
      {EveryMonth, k0830, 31, 0, 0, At(2024, 4, 30, 23, 59, 59), kStays, kStays},  // no 31 April
      {EveryYear, k0830, 29, 2, 0, At(2026, 12, 9, 15, 0, 0), At(2026, 12, 31, 23, 59, 59),
       At(2027, 1, 1, 0, 0, 0)},
      // 29 February falls on 1 March in a common year.
      {EveryYear, k0830, 29, 2, 0, At(2027, 2, 28, 23, 59, 59), kStays, kStays},
      {EveryYear, k0830, 29, 2, 0, At(2027, 3, 1, 0, 0, 0), At(2027, 12, 31, 23, 59, 59),
       At(2028, 1, 1, 0, 0, 0)},
      {EveryYear, k0830, 15, 5, 0, At(2024, 5, 15, 8, 29, 59), kStays, kStays},
      {Once, k0830, 15, 5, 2024, At(2024, 5, 15, 8, 30, 1), kStays, kStays},  // fires at once
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << &c - cases);
    Task t;
    t.status = StatusActive;
    t.recurrence = c.recurrence;
    t.SetSecondOfDay(c.ssec);
    t.day = c.day, t.month = c.month, t.year = c.year;
    SkipMomentBeforeSaving(t, c.saved);
    const bool done = c.lastDone.year != 0;
    EXPECT_EQ(t.status, done ? StatusDoneToday : StatusActive);
    EXPECT_EQ(t.doneThisPeriod, done ? 1 : 0);
    const SystemTime run = done ? c.saved : SystemTime{};
    EXPECT_EQ(std::tie(t.lastRun.year, t.lastRun.month, t.lastRun.day, t.lastRun.hour,
                       t.lastRun.minute, t.lastRun.second),
              std::tie(run.year, run.month, run.day, run.hour, run.minute, run.second));
    if (!done) continue;
    EXPECT_FALSE(ShouldReactivate(t, c.lastDone));
    EXPECT_TRUE(ShouldReactivate(t, c.back));
  }
}

// What an older version reads of a rule, kept by each save and firing: daily, or monthly on the
// day of the next occurrence (this month's until it has come or the task is done for the month).
TEST(RecordFiring, KeepsTheRecurrenceAnOlderVersionReads) {
  struct Case {
    RepeatRule rule;
    int32_t status;
    SystemTime lastRun, at;
    bool fired;  // else saved at `at`
    int32_t recurrence, day;
  };
  const RepeatRule kSecondTuesday = {NthWeekdayOfMonth, 2, WeekdayBit(2)},
                   kLastFriday = {NthWeekdayOfMonth, kLastOfMonth, WeekdayBit(5)},
                   kFourthTuesday = {NthWeekdayOfMonth, 4, WeekdayBit(2)};
  const int32_t A = StatusActive, D = StatusDoneToday, M = EveryMonth;
  const Case cases[] = {
      {kSecondTuesday, A, {}, At(2024, 3, 12, 8, 29, 59), false, M, 12},
      {kSecondTuesday, A, {}, At(2024, 3, 12, 8, 30, 0), false, M, 9},  // done for March
      {kLastFriday, A, {}, At(2024, 3, 29, 8, 30, 0), true, M, 26},
      {kLastFriday, A, {}, At(2024, 12, 27, 8, 30, 0), true, M, 31},  // January 2025
      // Done for March on its first Tuesday, then made the fourth: April's.
      {kFourthTuesday, D, At(2024, 3, 5, 8, 30, 0), At(2024, 3, 10, 0, 0, 0), false, M, 23},
      {{EveryNMinutes, 45, 0, 86399}, A, {}, At(2024, 3, 1, 0, 0, 0), false, EveryDay, 15},
      {{EveryNDays, 3}, A, {}, At(2024, 3, 16, 8, 30, 0), true, EveryDay, 15},
      {{}, A, {}, At(2024, 3, 1, 0, 0, 0), false, Once, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << &c - cases);
    Task t;
    t.recurrence = Once;
    t.rule = c.rule;
    t.SetSecondOfDay(k0830);
    t.year = 2024, t.month = 3, t.day = 15;
    t.status = c.status;
    t.lastRun = c.lastRun;
    if (c.fired)
      RecordFiring(t, c.at);
    else
      SkipMomentBeforeSaving(t, c.at);
    EXPECT_EQ(std::tie(t.recurrence, t.day), std::tie(c.recurrence, c.day));
  }
}

// One task on the fake platform, with the checker that makes its passes.
struct OneTaskChecker {
  Store store;
  FakePlatform platform;
  Checker checker{store, platform};
  OneTaskChecker() {
    store.dataPath = "C:\\Tools\\Data.ini";
    store.tasks.resize(1);
  }
};

// A year and a half (from July 2027 to the end of the leap year 2028) of the checker's passes, on
// the fake platform's clock, at each midnight, a second before the task's moment, at it, and at the
// day's last second, two passes each (half a second apart): a pass fires the task exactly when the
// prediction made before it is that pass's moment, and a prediction holds, or is caught up to the
// pass's moment, until the task fires.
TEST(NextFiring, AgreesWithTheCheckersPassesDayByDay) {
  struct Row {
    int32_t recurrence, ssec, day, month, year, status;
    SystemTime lastRun;
    int firings;
    RepeatRule rule = {};
    int32_t extra = -1;  // one more pass a day, after the task's time, when not -1
  };
  const SystemTime kNever{};
  const int32_t A = StatusActive, D = StatusDoneToday;
  const Row rows[] = {
      {EveryDay, k0830, 0, 0, 0, A, kNever, 550},
      {EveryDay, 0, 0, 0, 0, A, kNever, 550},
      {EveryDay, kLast, 0, 0, 0, A, kNever, 550},
      {EveryDay, 86400, 0, 0, 0, A, kNever, 0},  // a second past the day: never
      {EveryDay, k0830, 0, 0, 0, StatusDoneToday, At(2027, 7, 1, 8, 30, 0), 549},
      {EveryDay, 0, 0, 0, 0, StatusDoneToday, At(2026, 12, 31, 0, 0, 0), 550},
      {EveryMonday, k0830, 0, 0, 0, A, kNever, 78},
      {EverySaturday, kLast, 0, 0, 0, A, kNever, 79},
      {EverySunday, 0, 0, 0, 0, A, kNever, 79},
      {EverySunday, k0830, 0, 0, 0, StatusDoneToday, At(2027, 7, 1, 0, 0, 0), 79},
      {EveryMonth, k0830, 1, 0, 0, A, kNever, 18},
      {EveryMonth, k0830, 15, 0, 0, A, kNever, 18},
      {EveryMonth, k0830, 15, 0, 0, StatusDoneToday, At(2027, 7, 2, 0, 0, 0), 17},
      {EveryMonth, k0830, 29, 0, 0, A, kNever, 18},
      {EveryMonth, 0, 30, 0, 0, A, kNever, 17},
      {EveryMonth, kLast, 31, 0, 0, A, kNever, 11},
      {EveryYear, k0830, 15, 5, 0, A, kNever, 2},  // caught up at once, then 2028
      {EveryYear, k0830, 29, 2, 0, A, kNever, 2},  // 1 March 2027 caught up, 29 February 2028
      {EveryYear, 0, 31, 12, 0, StatusDoneToday, At(2027, 3, 1, 0, 0, 0), 1},
      {Once, k0830, 15, 5, 2027, A, kNever, 1},  // in the past: caught up at once
      {Once, k0830, 29, 2, 2028, A, kNever, 1},
      {Once, k0830, 1, 1, 2035, A, kNever, 0},
      {Once, k0830, 15, 5, 2026, StatusDone, At(2026, 5, 15, 8, 30, 0), 0},
      {EveryDay, k0830, 0, 0, 0, StatusPaused, kNever, 0},
      // Slots: at the first, then at 10:40 only the latest missed one (10:30), at the day's end
      // the last (18:00 inclusive).
      {EveryDay, 9 * 3600, 0, 0, 0, A, kNever, 1650, {EveryNMinutes, 45, 0, 18 * 3600}, 38400},
      {EveryDay, 0, 0, 0, 0, A, kNever, 1650, {EveryNMinutes, 1, 0, kLast}, 43230},
      {EveryDay, 9 * 3600, 0, 0, 0, A, kNever, 550, {EveryNMinutes, 45, 0, 8 * 3600}, 38400},
      {EveryDay, k0830, 0, 0, 0, A, kNever, 705, {EveryNHours, 2, kMonWedFri, kLast}, 45000},
      {EveryDay, k0830, 0, 0, 0, A, kNever, 392, {OnWeekdays, 0, kWorkingDays}},
      {EveryDay, kLast, 0, 0, 0, A, kNever, 158, {OnWeekdays, 0, WeekdayBit(0) | WeekdayBit(6)}},
      {EveryMonth, 10 * 3600, 0, 0, 0, A, kNever, 18, {NthWeekdayOfMonth, 2, WeekdayBit(2)}},
      {EveryMonth, 17 * 3600, 0, 0, 0, A, kNever, 18, {NthWeekdayOfMonth, 5, WeekdayBit(5)}},
      {EveryMonth, 0, 0, 0, 0, A, kNever, 18, {NthWeekdayOfMonth, 1, WeekdayBit(0)}},
      {EveryMonth, k0830, 0, 0, 0, D, At(2027, 7, 1, 0, 0, 0), 17, {NthWeekdayOfMonth, 4, 2}},
      {EveryDay, k0830, 1, 7, 2027, A, kNever, 184, {EveryNDays, 3}},
      // Its first period runs to 29 February 2028: caught up at once, then on that day.
      {EveryDay, k0830, 28, 2, 2027, A, kNever, 2, {EveryNDays, 366}},
      {EveryDay, k0830, 25, 12, 2028, A, kNever, 4, {EveryNDays, 2}},
      {EveryDay, k0830, 1, 1, 2035, A, kNever, 0, {EveryNDays, 7}},
      {EveryDay, k0830, 1, 9, 2028, A, kNever, 5, {EveryNDays, 30}},  // beyond the first 400 days
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row " << &row - rows);
    OneTaskChecker one;
    auto& [store, platform, checker] = one;
    Task& task = store.tasks[0];
    task.armed = task.showMessage = true;  // each firing posts its reminder
    task.recurrence = row.recurrence;
    task.SetSecondOfDay(row.ssec);
    task.day = row.day, task.month = row.month, task.year = row.year;
    task.status = row.status;
    task.lastRun = row.lastRun;
    task.rule = row.rule;
    BuildRow(store, 0, true);
    int firings = 0;
    std::optional<LocalMoment> held = NextFiring(task, At(2027, 7, 1, 0, 0, 0));
    for (int year = 2027; year <= 2028; ++year)
      for (int month = year == 2027 ? 7 : 1; month <= 12; ++month)
        for (int day = 1; day <= DaysInMonth(month, year); ++day)
          for (int32_t second : {0, row.ssec - 1, row.ssec, row.extra, kLast}) {
            if (second < 0 || second > kLast) continue;
            const SystemTime now =
                At(year, month, day, second / 3600, second / 60 % 60, second % 60);
            const auto next = NextFiring(task, now);
            EXPECT_EQ(next, held ? std::max(*held, MomentOf(now)) : held) << DueText(MomentOf(now));
            Task older = task;  // as an older version reads the file: Mod and the date alone
            older.rule = {};
            const size_t reminders = platform.reminderSounds.size();
            platform.now = now;
            platform.now.milliseconds = 0;
            checker.MakePass();
            platform.now.milliseconds = 500;
            checker.MakePass();
            const bool fired = platform.reminderSounds.size() > reminders;
            ASSERT_EQ(fired, next == MomentOf(now)) << DueText(MomentOf(now));
            // Kept in step by each firing: the older version fires that day too, by then.
            if (fired && row.rule.kind != PlainRule && firings > 0) {
              EXPECT_TRUE(FallsOnDay(older, now) && IsDue(older, now)) << DueText(MomentOf(now));
            }
            firings += fired;
            held = fired ? NextFiring(task, now) : next;  // held until the next firing
          }
    EXPECT_EQ(firings, row.firings);
  }
}

// The warning before each moment, over the checker's passes (two a second): W a warning with its
// minutes, F the firing, . nothing. Once per moment, never the firing itself, not when paused.
TEST(Warning, BeforeEachMomentOnce) {
  struct Row {
    RepeatRule rule;
    int32_t status, warnMinutes;
    std::vector<int32_t> seconds;  // of 14 March 2024, in order
    const char* expected;
  };
  const int32_t A = StatusActive, k0900 = 9 * 3600;
  const Row rows[] = {
      {{}, A, 15, {k0900 - 901, k0900 - 900, k0900 - 899, k0900 - 1, k0900, k0900 + 1}, ".W15..F."},
      // Every 45 minutes until 10:30: each slot warned of 15 minutes before, the first too.
      {{EveryNMinutes, 45, 0, 37800},
       A,
       15,
       {k0900 - 900, k0900, k0900 + 1800, k0900 + 2700, k0900 + 4500, k0900 + 5400, 86399},
       "W15FW15FW15F."},
      // A step shorter than the warning: the minutes left; a start late in the warning's time.
      {{EveryNMinutes, 5, 0, 86399}, A, 15, {k0900 + 1, k0900 + 300, k0900 + 301}, "FW5FW5."},
      {{}, A, 15, {k0900 - 61}, "W2"},
      {{}, StatusPaused, 15, {k0900 - 900, k0900}, ".."},
      {{}, StatusDoneToday, 15, {k0900}, "F"},  // back and due at once: no warning of now
      {{}, A, 0, {k0900 - 900, k0900}, ".F"},
      {{}, A, 1440, {k0900 - 1, k0900 + 1}, "W1FW1440"},  // then tomorrow's at once
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row " << &row - rows);
    OneTaskChecker one;
    auto& [store, platform, checker] = one;
    Task& task = store.tasks[0];
    task.armed = task.showMessage = true;
    task.SetSecondOfDay(k0900);
    task.rule = row.rule, task.status = row.status, task.warnMinutes = row.warnMinutes;
    task.message = "Вода";
    BuildRow(store, 0, true);
    std::string outcome;
    for (const int32_t second : row.seconds) {
      const size_t before = platform.actions.size();
      platform.now = At(2024, 3, 14, second / 3600, second / 60 % 60, second % 60);
      for (const uint16_t ms : {0, 500}) platform.now.milliseconds = ms, checker.MakePass();
      std::string step;
      for (size_t a = before; a < platform.actions.size(); ++a) {
        std::smatch m;  // the moment shown, and the warning's minutes or the message alone
        if (std::regex_match(platform.actions[a], m,
                             std::regex("reminder (.*)\\|(?:Через (\\d+) мин: )?Вода"))) {
          EXPECT_EQ(m[1], store.rows.Cell(0, ColumnMoment));
          step += m[2].matched ? "W" + m[2].str() : "F";
        }
      }
      outcome += step.empty() ? "." : step;
    }
    EXPECT_EQ(outcome, row.expected);
  }
}

// The earliest of the table's next firings and the reminders put off (the first, in due order).
TEST(NextInStore, TheEarliestTaskOrReminder) {
  Store store;
  store.tasks.resize(3);
  store.tasks[0].status = StatusPaused;  // would be the earliest: 00:00 daily
  store.tasks[1].status = store.tasks[2].status = StatusActive;
  store.tasks[1].SetSecondOfDay(k0830), store.tasks[1].message = "daily";
  store.tasks[2].recurrence = Once, store.tasks[2].year = 2035, store.tasks[2].month = 1;
  store.tasks[2].day = 1, store.tasks[2].SetSecondOfDay(k0830);
  const SystemTime now = At(2027, 6, 1, 8, 0, 0);
  const LocalMoment task{2027, 6, 1, 8, 30, 0};
  struct Case {
    LocalMoment due, next;
    const char* message;
  };
  const Case cases[] = {
      {{2027, 6, 1, 8, 29, 59}, {2027, 6, 1, 8, 29, 59}, "put off"},
      {{2027, 5, 31, 23, 0, 0}, MomentOf(now), "put off"},  // overdue: at once
      {task, task, "daily"},
      {{2027, 6, 1, 8, 30, 1}, task, "daily"},
  };
  for (const Case& c : cases) {
    store.snoozed = {SnoozedReminder{c.due, "", "put off"}};
    const auto next = NextInStore(store, now);
    EXPECT_EQ(next->moment, c.next) << DueText(c.due);
    EXPECT_EQ(*next->message, c.message) << DueText(c.due);
  }
  store.snoozed.clear();
  store.tasks.erase(store.tasks.begin() + 1);
  EXPECT_EQ(NextInStore(store, now)->moment, (LocalMoment{2035, 1, 1, 8, 30, 0}));  // years ahead
  store.tasks.resize(1);
  EXPECT_EQ(NextInStore(store, now), std::nullopt);
}

TEST(SameMoment, ComparesTheDateFieldsItsRecurrenceReads) {
  struct Case {
    int32_t recurrence, otherRecurrence, ssecDelta, dayDelta, monthDelta, yearDelta;
    bool same;
    RepeatRule rule = {}, otherRule = {};
  };
  const RepeatRule k45 = {EveryNMinutes, 45, 0, 86399}, k3Days = {EveryNDays, 3},
                   kSecondMonday = {NthWeekdayOfMonth, 2, WeekdayBit(1)};
  const Case cases[] = {
      {EveryDay, EveryDay, 0, 1, 1, 1, true},
      {EveryDay, EveryMonday, 0, 0, 0, 0, false},
      {EverySunday, EverySunday, 1, 0, 0, 0, false},
      {EveryDay, EveryDay, -1, 0, 0, 0, false},
      {EveryMonth, EveryMonth, 0, 0, 1, 1, true},
      {EveryMonth, EveryMonth, 0, 1, 0, 0, false},
      {EveryYear, EveryYear, 0, 0, 0, 1, true},
      {EveryYear, EveryYear, 0, 0, 1, 0, false},
      {EveryYear, EveryYear, 0, -1, 0, 0, false},
      {Once, Once, 0, 0, 0, 1, false},
      {Once, Once, 0, 0, 0, 0, true},
      {EveryDay, EveryDay, 0, 1, 1, 1, true, k45, k45},
      {EveryDay, EveryDay, 0, 0, 0, 0, false, k45, {EveryNMinutes, 45, 0, 86398}},
      {EveryDay, EveryDay, 0, 0, 0, 0, false, {OnWeekdays, 0, kWorkingDays}, {OnWeekdays, 0, 0x3F}},
      {EveryDay, EveryDay, 0, 0, 0, 0, false, {}, k3Days},
      {EveryDay, EveryDay, 1, 0, 0, 0, false, k3Days, k3Days},
      {EveryDay, EveryDay, 0, 0, 0, 1, false, k3Days, k3Days},  // it starts on its date
      {EveryMonth, EveryMonth, 0, 1, 0, 0, true, kSecondMonday, kSecondMonday},  // the older day
  };
  for (const Case& c : cases) {
    Task a, b;
    a.recurrence = c.recurrence, b.recurrence = c.otherRecurrence;
    a.SetSecondOfDay(k0830), b.SetSecondOfDay(k0830 + c.ssecDelta);
    a.day = 15, a.month = 5, a.year = 2024;
    a.rule = c.rule, b.rule = c.otherRule;
    b.day = 15 + c.dayDelta, b.month = 5 + c.monthDelta, b.year = 2024 + c.yearDelta;
    EXPECT_EQ(SameMoment(a, b), c.same) << c.recurrence << " " << c.otherRecurrence << " "
                                        << c.ssecDelta << c.dayDelta << c.monthDelta << c.yearDelta;
  }
}

}  // namespace

// The wake timer's moment: the nearest next firing among the tasks that ask to wake the computer
// (each task daily unless once; at 08:10 or 08:30 of today, now 08:00).
TEST(NextWakeMoment, TheNearestFlaggedTasksNextMoment) {
  struct Flagged {
    int32_t secondOfDay, status;
    bool wake, once = false;
  };
  const int32_t k0810 = k0830 - 1200;
  const LocalMoment at0810{2027, 6, 1, 8, 10, 0}, at0830{2027, 6, 1, 8, 30, 0};
  const std::tuple<const char*, std::vector<Flagged>, std::optional<LocalMoment>> cases[] = {
      {"none flagged", {{k0810, StatusActive, false}}, std::nullopt},
      {"paused", {{k0810, StatusPaused, true}}, std::nullopt},
      {"one-time done", {{k0810, StatusDone, true, true}}, std::nullopt},
      {"one-time ahead", {{k0810, StatusActive, true, true}}, at0810},
      {"unflagged nearer", {{k0810, StatusActive, false}, {k0830, StatusActive, true}}, at0830},
      {"nearer last", {{k0830, StatusActive, true}, {k0810, StatusActive, true}}, at0810},
      {"done for today", {{k0830, StatusDoneToday, true}}, LocalMoment{2027, 6, 2, 8, 30, 0}},
  };
  for (const auto& [name, flagged, expected] : cases) {
    Store store;
    for (const Flagged& f : flagged) {
      Task& t = store.tasks.emplace_back();
      t.recurrence = f.once ? Once : EveryDay, t.status = f.status, t.wake = f.wake;
      t.year = 2027, t.month = 6, t.day = 1, t.SetSecondOfDay(f.secondOfDay);
      t.lastRun = At(2027, 6, 1, 0, 0, 1);
    }
    // A reminder put off, sooner than all: it does not wake the computer.
    store.snoozed = {SnoozedReminder{{2027, 6, 1, 8, 5, 0}, "", "put off"}};
    EXPECT_EQ(NextWakeMoment(store, At(2027, 6, 1, 8, 0, 0)), expected) << name;
  }
}
