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

std::string MomentText(const Task& task) {
  const std::string time =
      TwoDigits(task.hour) + ":" + TwoDigits(task.minute) + ":" + TwoDigits(task.second);
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
  const Task& task = store.tasks[static_cast<size_t>(index)];
  if (append) store.rows.SetCell(index, ColumnNumber, true, std::to_string(index + 1));
  store.rows.SetCell(index, ColumnMessage, append, MessageCellText(task));
  store.rows.SetCell(index, ColumnMoment, append, MomentText(task));
  store.rows.SetCell(index, ColumnAction, append, ActionText(task));
  store.rows.SetCell(index, ColumnStatus, append, StatusText(task.status));
}

void MakeLive(Store& store, int index, RowUpdate row) {
  if (row != RowUpdate::Keep) BuildRow(store, index, row == RowUpdate::Append);
  store.tasks[static_cast<size_t>(index)].armed = true;
}
