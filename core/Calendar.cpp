#include "core/Calendar.h"

int32_t DaysInMonth(int32_t month, int32_t year) {
  if (month == 2) {
    int32_t days = 28;
    if (year % 4 == 0) ++days;
    if (year % 100 == 0) --days;
    if (year % 400 == 0) ++days;
    return days;
  }
  if (month >= 8 && month <= 12) return month % 2 == 0 ? 31 : 30;
  if (month >= 1 && month <= 7) return month % 2 == 0 ? 30 : 31;
  return 31;
}
