// When a task is due, when a done-for-today task comes back, and the state a task saved by the
// user takes, at the edges of its period.
#include <gtest/gtest.h>

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
};

class ReactivateTest : public testing::TestWithParam<ReactivateCase> {};

TEST_P(ReactivateTest, Decides) {
  const ReactivateCase& c = GetParam();
  Task t;
  t.recurrence = c.recurrence;
  t.lastRun.year = static_cast<uint16_t>(c.prevY);
  t.lastRun.month = static_cast<uint16_t>(c.prevM);
  t.lastRun.day = static_cast<uint16_t>(c.prevD);
  EXPECT_EQ(ShouldReactivate(t, c.now), c.reactivate) << c.name;
}

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
                       At(2024, 1, 1, 0, 0, 0), true}),
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
    ;
    if (!done) continue;
    EXPECT_FALSE(ShouldReactivate(t, c.lastDone));
    EXPECT_TRUE(ShouldReactivate(t, c.back));
  }
}

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
  };
  const SystemTime kNever{};
  const int32_t A = StatusActive;
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
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row " << &row - rows);
    Store store;
    FakePlatform platform;
    Checker checker(store, platform);
    store.dataPath = "C:\\Tools\\Data.ini";
    store.tasks.resize(1);
    Task& task = store.tasks[0];
    task.armed = task.showMessage = true;  // each firing posts its reminder
    task.recurrence = row.recurrence;
    task.SetSecondOfDay(row.ssec);
    task.day = row.day, task.month = row.month, task.year = row.year;
    task.status = row.status;
    task.lastRun = row.lastRun;
    BuildRow(store, 0, true);
    int firings = 0;
    std::optional<LocalMoment> held = NextFiring(task, At(2027, 7, 1, 0, 0, 0));
    for (int year = 2027; year <= 2028; ++year)
      for (int month = year == 2027 ? 7 : 1; month <= 12; ++month)
        for (int day = 1; day <= DaysInMonth(month, year); ++day)
          for (int32_t second : {0, row.ssec - 1, row.ssec, kLast}) {
            if (second < 0 || second > kLast) continue;
            const SystemTime now =
                At(year, month, day, second / 3600, second / 60 % 60, second % 60);
            const auto next = NextFiring(task, now);
            EXPECT_EQ(next, held ? std::max(*held, MomentOf(now)) : held) << DueText(MomentOf(now));
            const size_t reminders = platform.reminderSounds.size();
            platform.now = now;
            platform.now.milliseconds = 0;
            checker.MakePass();
            platform.now.milliseconds = 500;
            checker.MakePass();
            const bool fired = platform.reminderSounds.size() > reminders;
            ASSERT_EQ(fired, next == MomentOf(now)) << DueText(MomentOf(now));
            firings += fired;
            held = fired ? NextFiring(task, now) : next;  // held until the next firing
          }
    EXPECT_EQ(firings, row.firings);
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
  };
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
  };
  for (const Case& c : cases) {
    Task a, b;
    a.recurrence = c.recurrence, b.recurrence = c.otherRecurrence;
    a.SetSecondOfDay(k0830), b.SetSecondOfDay(k0830 + c.ssecDelta);
    a.day = 15, a.month = 5, a.year = 2024;
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
