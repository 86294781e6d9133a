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

bool RuleIsValid(const RepeatRule& rule) {
  const bool anyDays = rule.weekdays > 0 && rule.weekdays < 128;
  const bool oneDay = anyDays && (rule.weekdays & (rule.weekdays - 1)) == 0;
  const auto within = [&](int32_t low, int32_t high) {
    return rule.every >= low && rule.every <= high;
  };
  switch (rule.kind) {
    case PlainRule:
      return true;
    case EveryNMinutes:
    case EveryNHours:
      return within(1, rule.kind == EveryNMinutes ? 1440 : 24) && (rule.weekdays == 0 || anyDays) &&
             rule.tillSecond >= 0 && rule.tillSecond < 86400;
    case OnWeekdays:
      return anyDays;
    case NthWeekdayOfMonth:
      return oneDay && within(1, kLastOfMonth);
    case EveryNDays:
      return within(1, 366);
    default:
      return false;
  }
}
