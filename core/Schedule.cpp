#include "core/Schedule.h"

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
