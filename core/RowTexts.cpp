#include "core/RowTexts.h"

#include <string_view>

std::string TwoDigits(int32_t n) {
  std::string text = std::to_string(n);
  if (n < 10) text.insert(text.begin(), '0');
  return text;
}

std::string MonthGenitive(int32_t month) {
  static const char* const names[12] = {" января",   " февраля", " марта",  " апреля",
                                        " мая",      " июня",    " июля",   " августа",
                                        " сентября", " октября", " ноября", " декабря"};
  if (month < 1 || month > 12) return {};
  return names[month - 1];
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
  static const char* const weekly[8] = {
      "Ежедневно в ",      "Каждый понедельник в ", "Каждый вторник в ", "Каждую среду в ",
      "Каждый четверг в ", "Каждую пятницу в ",     "Каждую субботу в ", "Каждое воскресенье в "};
  if (task.recurrence == EveryDay || IsWeekly(task.recurrence))
    return weekly[task.recurrence] + time;
  const std::string day = std::to_string(task.day);
  switch (task.recurrence) {
    case EveryMonth:
      return day + " числа ежемесячно в " + time;
    case EveryYear:
      return day + MonthGenitive(task.month) + " ежегодно " + " в " + time;
    case Once:
      return day + MonthGenitive(task.month) + " " + std::to_string(task.year) + " года в " + time;
    default:
      return time;
  }
}

std::string ActionText(const Task& task) {
  std::string text;
  if (!task.showMessage)
    text = "Не показать сообщение";
  else if (task.message.empty())
    text = "Показать пустое сообщение";
  else
    text = "Показать сообщение";
  if (task.beep) text += ", звуковой сигнал";
  if (task.runFile) text += " и запустить " + task.fileName;
  if (task.shutDown) text = "Выключить компьютер";
  if (task.deleteAfter) text += " и удалить задание";
  if (text == "Не показать сообщение") text = "Ничего не делать";
  return text;
}

void SetCell(Store& store, int row, int column, bool append, const std::string& text) {
  store.rows.SetCell(row, column, append, text);
}

void BuildRow(Store& store, int index, bool append) {
  const Task& task = store.tasks[static_cast<size_t>(index)];
  if (append) SetCell(store, index, ColumnNumber, true, std::to_string(index + 1));
  SetCell(store, index, ColumnMessage, append, MessageCellText(task));
  SetCell(store, index, ColumnMoment, append, MomentText(task));
  SetCell(store, index, ColumnAction, append, ActionText(task));
  SetCell(store, index, ColumnStatus, append, StatusText(task.status));
}

void MakeLive(Store& store, int index, RowUpdate row) {
  if (row != RowUpdate::Keep) BuildRow(store, index, row == RowUpdate::Append);
  store.tasks[static_cast<size_t>(index)].armed = true;
}
