// The command line's words for how often a task fires beyond the editor's older kinds: weekday
// names and lists of them, the step of "/every", and the week of the month.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/Task.h"

// "пн" ... "вс" or "mon" ... "sun", in any case: 1 for Monday ... 7 for Sunday.
std::optional<int32_t> ParseWeekday(std::string_view text);

// The WeekdayBit of a day ParseWeekday gives.
constexpr int32_t WeekdayBitOf(int32_t mondayFirst) { return WeekdayBit(mondayFirst % 7); }

// "пн,ср,пт": the days' WeekdayBit set; nothing when an item is empty or no weekday.
std::optional<int32_t> ParseWeekdayList(std::string_view text);

// "45m", "2h", "3d" (also 45м, 2ч, 3д): a rule of every that many minutes, hours or days, its
// count not yet checked against the kind's range (RuleIsValid).
std::optional<RepeatRule> ParseStep(std::string_view text);

// "последний", "последняя", "последнее" or "last", in any case.
bool IsLastWord(std::string_view text);
