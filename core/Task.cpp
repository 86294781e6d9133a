#include "core/Task.h"

#include <iterator>

#include "core/Texts.h"

static_assert(std::size(kStatusTexts) == StatusDoneToday + 1);

const char* StatusText(int32_t status) {
  if (status < StatusDone || status > StatusDoneToday) return "";
  return kStatusTexts[status];
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
