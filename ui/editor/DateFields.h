// The editor's date fields by recurrence: which of them each uses, the day list of a
// month, the remembered date kept within it, and the warnings about days that not every month
// or year has.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/Calendar.h"
#include "core/Snooze.h"
#include "core/Task.h"

// Every day of the month is offered to a monthly task, whatever month the list shows.
inline constexpr int32_t kMonthlyDayCount = 31;
inline constexpr int32_t kMonthCount = 12;

// What OnRecurrenceChanged does after it has enabled the date controls of the recurrence.
enum class RecurrenceFollowUp {
  None,
  MonthlyDayList,  // the day list becomes "1" ... "31", the remembered day is selected,
                   // OnDayChanged
  MonthLogic,      // OnMonthChanged
};

struct RecurrenceLayout {
  bool known = false;  // false for an index outside the list: nothing is changed
  bool month = false;  // the "Месяц" label and the month list
  bool year = false;   // the "Год" label, the year field and its arrows
  bool day = false;    // the "Число" label and the day list
  bool deleteAfter = false;
  RecurrenceFollowUp then = RecurrenceFollowUp::None;
};

RecurrenceLayout LayoutForRecurrence(int32_t modeIndex);

// The date and time the task editor last showed; a new task starts from them. Not stored.
using EditorMoment = LocalMoment;

// Where the editor starts when the program starts: today at 09:00:00.
EditorMoment StartingMoment(const SystemTime& now);

// OnMonthChanged: the month list's selection stored in the remembered month and the remembered day
// cut down to the month's length (in the remembered year; a yearly task's February has 29 days).
struct DayList {
  int32_t count = 0;          // entries "1" ... count, all shown when the list opens
  int32_t selectedIndex = 0;  // the remembered day - 1
  std::optional<std::string> warning;
};
DayList MonthChosen(EditorMoment& moment, int32_t monthIndex, int32_t modeIndex);

// OnDayChanged: the day list's selection stored in the remembered day; the warning to show, if
// any.
std::optional<std::string> DayChosen(EditorMoment& moment, int32_t dayIndex, int32_t modeIndex);

// "Не каждый месяц содержит 29 дней" for a monthly task on day 29, 30 or 31, else nothing.
std::optional<std::string> MonthlyDayWarning(int32_t day);
