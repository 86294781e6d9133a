#include "ui/editor/DateFields.h"

#include "core/Texts.h"
#include "ui/editor/RuleFields.h"

RecurrenceLayout LayoutForRecurrence(int32_t modeIndex) {
  if (modeIndex == EveryDay || IsWeekly(modeIndex)) return {true, false, false, false, false};
  switch (modeIndex) {
    case kEveryNMinutesItem:
    case kEveryNHoursItem:
    case kOnWeekdaysItem:
    case kWorkingDaysItem:
    case kNthWeekdayItem:
      return {true, false, false, false, false};
    case kEveryNDaysItem:  // counts from its date
      return {true, true, true, true, false, RecurrenceFollowUp::MonthLogic};
    case EveryMonth:
      return {true, false, false, true, false, RecurrenceFollowUp::MonthlyDayList};
    case EveryYear:
      return {true, true, false, true, false, RecurrenceFollowUp::MonthLogic};
    case Once:
      return {true, true, true, true, true, RecurrenceFollowUp::MonthLogic};
    default:
      return {};
  }
}

EditorMoment StartingMoment(const SystemTime& now) {
  return {now.year, now.month, now.day, 9, 0, 0};
}

namespace {

constexpr int32_t kAnyLeapYear = 2000;

bool IsYearlyOn29February(const EditorMoment& moment, int32_t modeIndex) {
  return modeIndex == EveryYear && moment.month == 2 && moment.day == 29;
}

}  // namespace

DayList MonthChosen(EditorMoment& moment, int32_t monthIndex, int32_t modeIndex) {
  moment.month = monthIndex + 1;
  DayList list;
  // A yearly task fires in every year: its February has a 29th whatever year the field shows.
  list.count = DaysInMonth(moment.month, modeIndex == EveryYear ? kAnyLeapYear : moment.year);
  if (moment.day > list.count) moment.day = list.count;
  list.selectedIndex = moment.day - 1;
  if (IsYearlyOn29February(moment, modeIndex)) list.warning = kFebruaryWarning;
  return list;
}

std::optional<std::string> MonthlyDayWarning(int32_t day) {
  if (day <= 28) return std::nullopt;
  return kMonthlyDayWarningStart + std::to_string(day) +
         (day == 31 ? kMonthlyDayWarningDay31 : kMonthlyDayWarningDays);
}

std::optional<std::string> DayChosen(EditorMoment& moment, int32_t dayIndex, int32_t modeIndex) {
  moment.day = dayIndex + 1;
  if (modeIndex == EveryMonth) return MonthlyDayWarning(moment.day);
  if (IsYearlyOn29February(moment, modeIndex)) return std::string(kFebruaryWarning);
  return std::nullopt;
}
