#include "core/Task.h"

const char* StatusText(int32_t status) {
  switch (status) {
    case StatusDone:
      return "Выполнено";
    case StatusActive:
      return "Активно";
    case StatusPaused:
      return "Приостановлено";
    case StatusDoneToday:
      return "Выполнено на сегодня";
    default:
      return "";
  }
}

void Task::SetSecondOfDay(int32_t seconds) {
  secondOfDay = seconds;
  // Truncating division, so a negative count gives hour 0, minute 0 and a negative second.
  hour = seconds / 3600;
  minute = (seconds - hour * 3600) / 60;
  second = seconds - hour * 3600 - minute * 60;
}

void Task::SetTime(int32_t hourOfDay, int32_t minuteOfHour, int32_t secondOfMinute) {
  hour = hourOfDay;
  minute = minuteOfHour;
  second = secondOfMinute;
  secondOfDay = SecondOfDay(hour, minute, second);
}
