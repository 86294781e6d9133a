#include "core/Schedule.h"

int32_t SecondOfDay(const SystemTime& now) {
  return now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
}

bool IsDue(const Ttask& task, const SystemTime& now) {
  const int32_t second = SecondOfDay(now);
  const bool timeReached = task.Ssec <= second;
  // The task's 32-bit fields against the 16-bit members taken as non-negative numbers.
  const int32_t year = now.wYear, month = now.wMonth, day = now.wDay, weekday = now.wDayOfWeek;
  switch (task.Mode) {
    case ModeDaily:
      return timeReached;
    case ModeMonday:
    case ModeTuesday:
    case ModeWednesday:
    case ModeThursday:
    case ModeFriday:
    case ModeSaturday:
      return timeReached && weekday == task.Mode;
    case ModeSunday:
      return timeReached && weekday == 0;
    case ModeMonthly:
      return task.Day < day || (task.Day == day && timeReached);
    case ModeYearly:
      return task.Month < month || (task.Month == month && task.Day < day) ||
             (task.Month == month && task.Day == day && timeReached);
    case ModeOnce:
      return task.Year < year || (task.Year == year && task.Month < month) ||
             (task.Year == year && task.Month == month && task.Day < day) ||
             (task.Year == year && task.Month == month && task.Day == day && timeReached);
    default:
      return false;
  }
}

bool ShouldReactivate(const Ttask& task, const SystemTime& now) {
  if (task.Mode < ModeMonthly)
    return task.PrevD != now.wDay || task.PrevM != now.wMonth || task.PrevY != now.wYear;
  if (task.Mode == ModeMonthly) return task.PrevM != now.wMonth || task.PrevY != now.wYear;
  if (task.Mode == ModeYearly) return task.PrevY != now.wYear;
  return false;
}
