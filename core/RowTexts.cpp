#include "core/RowTexts.h"

#include <string_view>

std::string TwoDigits(int32_t n) {
  std::string text = std::to_string(n);
  if (n < 10) text.insert(text.begin(), '0');
  return text;
}

std::string MonthGenitive(int32_t month) {
  static const char* const names[12] = {" января",   " февраля", " марта",    " апреля",
                                        " мая",      " июня",    " июля",     " августа",
                                        " сентября", " октября", " ноября",   " декабря"};
  if (month < 1 || month > 12) return {};
  return names[month - 1];
}

std::string MessageCellText(const Ttask& task) {
  std::string text = task.Text.substr(0, 256);
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

std::string MomentText(const Ttask& task) {
  const std::string time =
      TwoDigits(task.Hour) + ":" + TwoDigits(task.Minute) + ":" + TwoDigits(task.Second);
  static const char* const weekly[8] = {
      "Ежедневно в ",      "Каждый понедельник в ", "Каждый вторник в ", "Каждую среду в ",
      "Каждый четверг в ", "Каждую пятницу в ",     "Каждую субботу в ", "Каждое воскресенье в "};
  const std::string day = std::to_string(task.Day);
  switch (task.Mode) {
    case ModeDaily:
    case ModeMonday:
    case ModeTuesday:
    case ModeWednesday:
    case ModeThursday:
    case ModeFriday:
    case ModeSaturday:
    case ModeSunday:
      return weekly[task.Mode] + time;
    case ModeMonthly:
      return day + " числа ежемесячно в " + time;
    case ModeYearly:
      return day + MonthGenitive(task.Month) + " ежегодно " + " в " + time;
    case ModeOnce:
      return day + MonthGenitive(task.Month) + " " + std::to_string(task.Year) + " года в " + time;
    default:
      return time;
  }
}

std::string ActionText(const Ttask& task) {
  std::string text;
  if (!task.ShowMessage)
    text = "Не показать сообщение";
  else if (task.Text.empty())
    text = "Показать пустое сообщение";
  else
    text = "Показать сообщение";
  if (task.Sound) text += ", звуковой сигнал";
  if (task.RunFile) text += " и запустить " + task.FileName;
  if (task.ShutDown) text = "Выключить компьютер";
  if (task.DeleteAfter) text += " и удалить задание";
  if (text == "Не показать сообщение") text = "Ничего не делать";
  return text;
}

void SetCell(Store& store, int row, int column, bool append, const std::string& text) {
  store.Rows.SetCell(row, column, append, text);
}

void BuildRow(Store& store, int index, bool append) {
  const Ttask& task = store.Tasks[static_cast<size_t>(index)];
  if (append) SetCell(store, index, ColumnNumber, true, std::to_string(index + 1));
  SetCell(store, index, ColumnMessage, append, MessageCellText(task));
  SetCell(store, index, ColumnMoment, append, MomentText(task));
  SetCell(store, index, ColumnAction, append, ActionText(task));
  SetCell(store, index, ColumnStatus, append, StatusText(task.Status));
}
