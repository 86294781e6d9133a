#include "core/Schedule.h"

#include <algorithm>

#include "core/Calendar.h"
#include "core/Store.h"

namespace {

// Longer than any period (a yearly task's moment may be 366 days after its year began).
constexpr int kDaysSearched = 400;

// 00:00:00 of the day after `time`'s date, its weekday carried along.
SystemTime NextMidnight(SystemTime time) {
  if (time.day < DaysInMonth(time.month, time.year)) {
    ++time.day;
  } else {
    time.day = 1;
    time.month = time.month < 12 ? time.month + 1 : 1;
    if (time.month == 1) ++time.year;
  }
  time.dayOfWeek = static_cast<uint16_t>((time.dayOfWeek + 1) % 7);
  time.hour = time.minute = time.second = 0;
  return time;
}

// The first moment from `from` at which `holds` is true, for a rule that turns true only at a
// midnight or at `secondOfDay` (-1: at a midnight only), as the due and period rules do.
template <class Rule>
std::optional<SystemTime> FirstMomentWhen(SystemTime from, int32_t secondOfDay, Rule holds) {
  if (holds(from)) return from;
  for (int days = 0; days <= kDaysSearched; ++days) {
    if (days > 0) {
      from = NextMidnight(from);
      if (holds(from)) return from;
    }
    if (secondOfDay > SecondOfDay(from) && secondOfDay < 86400) {
      SystemTime at = from;
      at.hour = static_cast<uint16_t>(secondOfDay / 3600);
      at.minute = static_cast<uint16_t>(secondOfDay / 60 % 60);
      at.second = static_cast<uint16_t>(secondOfDay % 60);
      if (holds(at)) return at;
    }
  }
  return std::nullopt;
}

}  // namespace

int32_t SecondOfDay(const SystemTime& now) { return SecondOfDay(now.hour, now.minute, now.second); }

bool IsDue(const Task& task, const SystemTime& now) {
  const int32_t second = SecondOfDay(now);
  const bool timeReached = task.secondOfDay <= second;
  // The task's 32-bit fields against the 16-bit members taken as non-negative numbers.
  const int32_t year = now.year, month = now.month, day = now.day, weekday = now.dayOfWeek;
  if (IsWeekly(task.recurrence)) return timeReached && weekday == WeeklyDayOfWeek(task.recurrence);
  switch (task.recurrence) {
    case EveryDay:
      return timeReached;
    case EveryMonth:
      return task.day < day || (task.day == day && timeReached);
    case EveryYear:
      return task.month < month || (task.month == month && task.day < day) ||
             (task.month == month && task.day == day && timeReached);
    case Once:
      return task.year < year || (task.year == year && task.month < month) ||
             (task.year == year && task.month == month && task.day < day) ||
             (task.year == year && task.month == month && task.day == day && timeReached);
    default:
      return false;
  }
}

bool FallsOnDay(const Task& task, const SystemTime& now) {
  const int32_t year = now.year, month = now.month, day = now.day;
  if (task.recurrence == EveryDay) return true;
  if (IsWeekly(task.recurrence)) return now.dayOfWeek == WeeklyDayOfWeek(task.recurrence);
  if (task.recurrence == EveryMonth) return task.day == day;
  if (task.recurrence == EveryYear) return task.month == month && task.day == day;
  return task.recurrence == Once && task.year == year && task.month == month && task.day == day;
}

bool ShouldReactivate(const Task& task, const SystemTime& now) {
  if (task.recurrence < EveryMonth)
    return task.lastRun.day != now.day || task.lastRun.month != now.month ||
           task.lastRun.year != now.year;
  if (task.recurrence == EveryMonth)
    return task.lastRun.month != now.month || task.lastRun.year != now.year;
  if (task.recurrence == EveryYear) return task.lastRun.year != now.year;
  return false;
}

void RecordFiring(Task& task, const SystemTime& now) {
  task.lastRun.year = now.year;
  task.lastRun.month = now.month;
  task.lastRun.day = now.day;
  task.lastRun.hour = now.hour;
  task.lastRun.minute = now.minute;
  task.lastRun.second = now.second;
  if (task.recurrence == Once) {
    task.status = StatusDone;
  } else {
    task.status = StatusDoneToday;
    task.doneThisPeriod = 1;
  }
}

void SkipMomentBeforeSaving(Task& task, const SystemTime& now) {
  if (task.recurrence != Once && IsDue(task, now)) RecordFiring(task, now);
}

bool SameMoment(const Task& a, const Task& b) {
  if (a.recurrence != b.recurrence || a.secondOfDay != b.secondOfDay) return false;
  const bool readsDay = a.recurrence >= EveryMonth, readsMonth = a.recurrence >= EveryYear,
             readsYear = a.recurrence >= Once;
  return (!readsDay || a.day == b.day) && (!readsMonth || a.month == b.month) &&
         (!readsYear || a.year == b.year);
}

std::optional<LocalMoment> NextFiring(const Task& task, const SystemTime& now) {
  std::optional<SystemTime> from = now;
  from->milliseconds = 0;
  if (task.status == StatusDoneToday) {
    from =
        FirstMomentWhen(*from, -1, [&](const SystemTime& t) { return ShouldReactivate(task, t); });
    if (!from) return std::nullopt;
  } else if (task.status != StatusActive) {
    return std::nullopt;
  }
  // A one-time task's date may be years ahead; the search starts with its year (its rule does
  // not read the weekday, left as it was).
  if (task.recurrence == Once && task.year > from->year && task.year <= 9999)
    *from = SystemTime{static_cast<uint16_t>(task.year), 1, 1, 0, 0, 0, 0, from->dayOfWeek};
  const auto due =
      FirstMomentWhen(*from, task.secondOfDay, [&](const SystemTime& t) { return IsDue(task, t); });
  if (!due) return std::nullopt;
  return MomentOf(*due);
}

std::optional<NextReminder> NextInStore(const Store& store, const SystemTime& now) {
  std::optional<NextReminder> next;
  for (const Task& task : store.tasks) {
    const auto moment = NextFiring(task, now);
    if (moment && (!next || *moment < next->moment)) next = NextReminder{*moment, &task.message};
  }
  // In the order they fall due: the first is the earliest, shown at once when already past.
  if (!store.snoozed.empty()) {
    const SnoozedReminder& first = store.snoozed.front();
    const LocalMoment back = std::max(first.due, MomentOf(now));
    if (!next || back < next->moment) next = NextReminder{back, &first.message};
  }
  return next;
}

std::optional<LocalMoment> NextWakeMoment(const Store& store, const SystemTime& now) {
  std::optional<LocalMoment> next;
  for (const Task& task : store.tasks) {
    if (!task.wake) continue;
    const auto moment = NextFiring(task, now);
    if (moment && (!next || *moment < *next)) next = moment;
  }
  return next;
}
