#include "core/RowTexts.h"

#include <string_view>

#include "core/Texts.h"

std::string TwoDigits(int32_t n) {
  std::string text = std::to_string(n);
  if (n < 10) text.insert(text.begin(), '0');
  return text;
}

std::string MonthGenitive(int32_t month) {
  if (month < 1 || month > 12) return {};
  return kMonthGenitives[month - 1];
}

std::string_view FirstLine(std::string_view message) {
  return message.substr(0, message.find_first_of("\r\n"));
}

std::string MessageCellText(const Task& task) {
  std::string text = task.message.substr(0, 256);
  // Each CR LF becomes one blank; lone CR or LF stay.
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += ' ';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

namespace {

std::string TimeText(int32_t secondOfDay) {
  return TwoDigits(secondOfDay / 3600) + ":" + TwoDigits(secondOfDay / 60 % 60) + ":" +
         TwoDigits(secondOfDay % 60);
}

// "рабочим дням", or the short names Monday first: "пн, ср, пт".
std::string WeekdaysText(int32_t weekdays) {
  if (weekdays == kWorkingDays) return kWorkingDaysText;
  std::string text;
  for (int32_t day = 1; day <= 7; ++day) {
    if ((weekdays & WeekdayBit(day % 7)) == 0) continue;
    if (!text.empty()) text += kDaysSeparator;
    text += kWeekdayShortNames[day - 1];
  }
  return text;
}

// The index of kDayForms that goes with `n`.
int DayForm(int32_t n) {
  if (n % 10 == 1 && n % 100 != 11) return 0;
  if (n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14)) return 1;
  return 2;
}

std::string RuleMomentText(const Task& task, const std::string& time) {
  const RepeatRule& rule = task.rule;
  switch (rule.kind) {
    case EveryNMinutes:
    case EveryNHours: {
      const bool minutes = rule.kind == EveryNMinutes;
      std::string text = rule.every == 1 ? std::string(minutes ? kEveryMinute : kEveryHour)
                                         : kEveryNMiddle + std::to_string(rule.every) +
                                               (minutes ? kMinutesUnit : kHoursUnit);
      text += kSlotsFrom + time + kSlotsTill + TimeText(rule.tillSecond);
      if (rule.weekdays != 0) text += kSlotsOnDays + WeekdaysText(rule.weekdays);
      return text;
    }
    case OnWeekdays:
      return kOnDays + WeekdaysText(rule.weekdays) + kAtTime + time;
    case NthWeekdayOfMonth: {
      int32_t weekday = 0;
      while (weekday < 6 && rule.weekdays != WeekdayBit(weekday)) ++weekday;
      const int gender = kWeekdayGenders[weekday];
      return kEveryByGender[gender] + std::string(kOrdinalsByGender[gender][rule.every - 1]) +
             kWeekdayAccusatives[weekday] + kOfMonth + time;
    }
    case EveryNDays:
      if (rule.every == 1) return kEveryDay + std::string(kAtTime) + time;
      return (DayForm(rule.every) == 0 ? kEveryOne : kEveryNMiddle) + std::to_string(rule.every) +
             kDayForms[DayForm(rule.every)] + kAtTime + time;
    default:
      return time;
  }
}

// The moment column of the recurrence list's own kinds.
std::string PlainMomentText(const Task& task, const std::string& time) {
  if (task.recurrence == EveryDay || IsWeekly(task.recurrence))
    return kDailyAndWeeklyMoments[task.recurrence] + time;
  const std::string day = std::to_string(task.day);
  switch (task.recurrence) {
    case EveryMonth:
      return day + kMonthlyMomentMiddle + time;
    case EveryYear:
      return day + MonthGenitive(task.month) + kYearlyMomentMiddle + time;
    case Once:
      return day + MonthGenitive(task.month) + " " + std::to_string(task.year) + kOnceMomentMiddle +
             time;
    default:
      return time;
  }
}

}  // namespace

std::string MomentText(const Task& task) {
  const std::string time =
      TwoDigits(task.hour) + ":" + TwoDigits(task.minute) + ":" + TwoDigits(task.second);
  const std::string warning =
      task.warnMinutes > 0 ? kWarningBefore + std::to_string(task.warnMinutes) + kMinutesUnit : "";
  if (task.rule.kind != PlainRule && RuleIsValid(task.rule))
    return RuleMomentText(task, time) + warning;
  return PlainMomentText(task, time) + warning;
}

std::string WarningMessage(const Task& task, int64_t minutes) {
  return kWarningIn + std::to_string(minutes) + kWarningMinutes + task.message;
}

std::string ActionText(const Task& task) {
  std::string text;
  if (!task.showMessage)
    text = kNoMessageAction;
  else if (task.message.empty())
    text = kEmptyMessageAction;
  else
    text = kShowMessageAction;
  if (task.beep) text += kBeepAction;
  if (task.runFile) text += kRunFileAction + task.fileName;
  if (task.shutDown) text = kShutDownAction;
  if (task.deleteAfter) text += kDeleteAfterAction;
  if (text == kNoMessageAction) text = kNothingAction;
  return text;
}

void BuildRow(Store& store, int index, bool append) {
  if (append) {
    store.rows.AppendRow();
    return;
  }
  for (int column = ColumnMessage; column < ColumnCount; ++column)
    store.rows.CellChanged(index, column);
}

void MakeLive(Store& store, int index, RowUpdate row) {
  if (row != RowUpdate::Keep) BuildRow(store, index, row == RowUpdate::Append);
  store.tasks[static_cast<size_t>(index)].armed = true;
}
