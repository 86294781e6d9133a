#include "ui/editor/RuleFields.h"

#include <algorithm>
#include <bit>

namespace {

RuleKind KindOfItem(int32_t listIndex) {
  switch (listIndex) {
    case kEveryNMinutesItem:
      return EveryNMinutes;
    case kEveryNHoursItem:
      return EveryNHours;
    case kOnWeekdaysItem:
    case kWorkingDaysItem:
      return OnWeekdays;
    case kNthWeekdayItem:
      return NthWeekdayOfMonth;
    case kEveryNDaysItem:
      return EveryNDays;
    default:
      return PlainRule;
  }
}

}  // namespace

RuleLayout RuleLayoutFor(int32_t listIndex) {
  switch (listIndex) {
    case kEveryNMinutesItem:
      return {.every = true, .everyHighest = 1440, .till = true, .weekdayBoxes = true};
    case kEveryNHoursItem:
      return {.every = true, .everyHighest = 24, .till = true, .weekdayBoxes = true};
    case kOnWeekdaysItem:
      return {.weekdayBoxes = true};
    case kNthWeekdayItem:
      return {.nthLists = true};
    case kEveryNDaysItem:
      return {.every = true, .everyHighest = 366};
    default:  // the older items, and the working days, whose boxes only show Monday to Friday
      return {};
  }
}

RepeatRule RuleOfControls(const RuleControls& controls) {
  RepeatRule rule;
  rule.kind = KindOfItem(controls.listIndex);
  const RuleLayout layout = RuleLayoutFor(controls.listIndex);
  switch (rule.kind) {
    case EveryNMinutes:
    case EveryNHours:
      rule.tillSecond = controls.tillSecond;
      [[fallthrough]];
    case EveryNDays:
      rule.every = std::clamp(controls.every, 1, layout.everyHighest);
      rule.weekdays = layout.weekdayBoxes ? controls.weekdayBoxes : 0;
      break;
    case OnWeekdays:
      rule.weekdays = controls.listIndex == kWorkingDaysItem ? kWorkingDays : controls.weekdayBoxes;
      break;
    case NthWeekdayOfMonth:
      rule.every = std::clamp(controls.weekOfMonthIndex + 1, 1, kLastOfMonth);
      rule.weekdays = WeekdayBitOfEntry(std::clamp(controls.weekdayIndex, 0, 6));
      break;
    default:
      break;
  }
  return rule;
}

RuleControls ControlsOfTask(const Task& task) {
  RuleControls controls;
  const RepeatRule& rule = task.rule;
  switch (rule.kind) {
    case EveryNMinutes:
    case EveryNHours:
      controls.listIndex = rule.kind == EveryNMinutes ? kEveryNMinutesItem : kEveryNHoursItem;
      controls.every = rule.every;
      controls.tillSecond = rule.tillSecond;
      controls.weekdayBoxes = rule.weekdays;
      return controls;
    case OnWeekdays:
      controls.listIndex = rule.weekdays == kWorkingDays ? kWorkingDaysItem : kOnWeekdaysItem;
      controls.weekdayBoxes = rule.weekdays;
      return controls;
    case NthWeekdayOfMonth:
      controls.listIndex = kNthWeekdayItem;
      controls.weekOfMonthIndex = rule.every - 1;
      // Sunday's bit 0 is the list's last entry.
      controls.weekdayIndex = (std::countr_zero(static_cast<uint32_t>(rule.weekdays)) + 6) % 7;
      return controls;
    case EveryNDays:
      controls.listIndex = kEveryNDaysItem;
      controls.every = rule.every;
      return controls;
    default:
      controls.listIndex = task.recurrence;
      return controls;
  }
}
