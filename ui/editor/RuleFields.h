// The recurrence list's items after "Единожды", each a repeat rule, and the controls they read:
// which controls an item uses, the range of its N, the rule the controls make and the controls
// that show a task's rule.
#pragma once

#include <cstdint>

#include "core/Task.h"

// The items after "Единожды", in the list's order.
enum RuleItem : int32_t {
  kEveryNMinutesItem = Once + 1,
  kEveryNHoursItem,
  kOnWeekdaysItem,
  kWorkingDaysItem,  // the weekdays Monday to Friday
  kNthWeekdayItem,
  kEveryNDaysItem,
  kRecurrenceItemCount,
};

constexpr bool IsRuleItem(int32_t listIndex) {
  return listIndex > Once && listIndex < kRecurrenceItemCount;
}

// The rule controls an item uses; the time fields are always used, the date fields by
// LayoutForRecurrence.
struct RuleLayout {
  bool every = false;           // the N field and its arrows
  int32_t everyHighest = 1440;  // N runs from 1 to this (unused: the widest, N is left alone)
  bool till = false;            // the end time's fields
  bool weekdayBoxes = false;
  bool nthLists = false;  // the week of the month and its weekday
};
RuleLayout RuleLayoutFor(int32_t listIndex);

// The warning before the moment, in minutes: 0 (none) to a day.
inline constexpr int32_t kWarnHighest = 1440;

// What the rule controls hold. The weekday boxes as WeekdayBit (Sunday bit 0); the lists by their
// index: первый ... последний, понедельник ... воскресенье.
struct RuleControls {
  int32_t listIndex = EveryDay;
  int32_t every = 1;
  int32_t tillSecond = 86399;
  int32_t weekdayBoxes = 0;
  int32_t weekOfMonthIndex = 0, weekdayIndex = 0;
  friend bool operator==(const RuleControls&, const RuleControls&) = default;
};

// The weekday of a box or weekday list entry (Monday first) as WeekdayBit.
constexpr int32_t WeekdayBitOfEntry(int32_t entry) { return WeekdayBit((entry + 1) % 7); }

// The rule the controls make: none for the older items; the working-days item takes Monday to
// Friday whatever the boxes show. N is taken as its field keeps it (NormaliseBoundedField); the
// rule may lack a weekday (RuleIsValid), which OK refuses.
RepeatRule RuleOfControls(const RuleControls& controls);

// The item and controls that show a task: its recurrence and the controls' starting values for a
// task without a rule; the working-days item for the weekdays Monday to Friday exactly.
RuleControls ControlsOfTask(const Task& task);
