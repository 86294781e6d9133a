// The calendar's one rule: how many days a month has.
#pragma once

#include <cstdint>

// 28 to 31 by the Gregorian rules. A month outside 1..12 (a list without a selection) counts 31
// days.
int32_t DaysInMonth(int32_t month, int32_t year);
