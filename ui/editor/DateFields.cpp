#include "ui/editor/DateFields.h"

ModeLayout LayoutForMode(int32_t modeIndex) {
  if (modeIndex >= ModeDaily && modeIndex <= ModeSunday) return {true, false, false, false, false};
  switch (modeIndex) {
    case ModeMonthly:
      return {true, false, false, true, false, ModeFollowUp::MonthlyDayList};
    case ModeYearly:
      return {true, true, false, true, false, ModeFollowUp::MonthLogic};
    case ModeOnce:
      return {true, true, true, true, true, ModeFollowUp::MonthLogic};
    default:
      return {};
  }
}

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

namespace {

bool IsYearlyOn29February(const TSreda& session, int32_t modeIndex) {
  return modeIndex == ModeYearly && session.Month == 2 && session.Day == 29;
}

}  // namespace

DayList MonthChosen(TSreda& session, int32_t monthIndex, int32_t modeIndex) {
  session.Month = monthIndex + 1;
  DayList list;
  list.count = DaysInMonth(session.Month, session.Year);
  if (session.Day > list.count) session.Day = list.count;
  list.selectedIndex = session.Day - 1;
  if (IsYearlyOn29February(session, modeIndex)) list.warning = kFebruaryWarning;
  return list;
}

std::optional<std::string> MonthlyDayWarning(int32_t day) {
  if (day <= 28) return std::nullopt;
  return "Не каждый месяц содержит " + std::to_string(day) + (day == 31 ? " день" : " дней");
}

std::optional<std::string> DayChosen(TSreda& session, int32_t dayIndex, int32_t modeIndex) {
  session.Day = dayIndex + 1;
  if (modeIndex == ModeMonthly) return MonthlyDayWarning(session.Day);
  if (IsYearlyOn29February(session, modeIndex)) return std::string(kFebruaryWarning);
  return std::nullopt;
}
