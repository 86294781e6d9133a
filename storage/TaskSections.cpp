#include "storage/TaskSections.h"

#include <algorithm>

#include "core/IntConversion.h"
#include "core/Texts.h"

bool FlagValue(std::string_view value) { return !value.empty() && value.front() == '1'; }

void AssignMessage(std::string_view value, std::string& field) {
  const auto breaks = static_cast<size_t>(std::count(value.begin(), value.end(), '\x01'));
  if (breaks == 0) {
    field.assign(value);
    return;
  }
  field.clear();
  // Each 0x01 takes two bytes: reserved exactly, the string never grows to twice its size.
  field.reserve(value.size() + breaks);
  for (char c : value) {
    if (c == '\x01')
      field += "\r\n";
    else
      field += c;
  }
}

Task* TaskTable::Enter(int64_t n) {
  uint64_t& seen = keysSeen_[static_cast<size_t>(n)];
  if (seen & kSectionSeen) return nullptr;
  seen = kSectionSeen;
  Task& task = tasks_[static_cast<size_t>(n)];
  task.recurrence = EveryDay;
  task.SetSecondOfDay(9 * 3600);
  task.year = today_.year;
  task.month = today_.month;
  task.day = today_.day;
  task.status = StatusActive;
  task.showMessage = true;
  task.beep = true;
  task.lastRun.year = static_cast<uint16_t>(today_.year);
  task.lastRun.month = static_cast<uint16_t>(today_.month);
  task.lastRun.day = static_cast<uint16_t>(today_.day);
  task.lastRun.hour = 9;
  return &task;
}

void TaskTable::Add(int64_t n, Task& task, const IniLine& line) {
  const Key key = KeyNamed(line.name);
  if (key > KeyPre) return;  // not a task's key
  uint64_t& seen = keysSeen_[static_cast<size_t>(n)];
  if (seen & (uint64_t{1} << key)) return;
  seen |= uint64_t{1} << key;
  if (!line.hasValue) return;  // a key without "=" keeps its default
  const std::string_view value = Unquoted(line.value);
  switch (key) {
    case KeyFN:
      task.fileName.assign(value);
      return;
    case KeySndF:
      task.soundChoice.file.assign(value);
      return;
    case KeyTex:
      AssignMessage(value, task.message);
      return;
    case KeyDel:
      task.deleteAfter = FlagValue(value);
      return;
    case KeyNM:
      task.showMessage = FlagValue(value);
      return;
    case KeyEx:
      task.runFile = FlagValue(value);
      return;
    case KeyOFF:
      task.shutDown = FlagValue(value);
      return;
    case KeySnd:
      task.beep = FlagValue(value);
      return;
    case KeyRpt:
      task.soundChoice.repeat = FlagValue(value);
      return;
    case KeyWake:
      task.wake = FlagValue(value);
      return;
    default:
      break;
  }
  const std::optional<int32_t> number = StoredInt32(value);
  if (!number) {
    NoteError(n, key, value);
    return;
  }
  // The 16-bit last-run words keep the low 16 bits of the number.
  const auto word = static_cast<uint16_t>(static_cast<uint32_t>(*number) & 0xFFFFu);
  switch (key) {
    case KeyMod:
      task.recurrence = *number;
      break;
    case KeySsec:
      task.SetSecondOfDay(*number);
      break;
    case KeyYear:
      task.year = *number;
      break;
    case KeyMon:
      task.month = *number;
      break;
    case KeyDay:
      task.day = *number;
      break;
    case KeyStat:
      task.status = *number;
      break;
    case KeyPrevY:
      task.lastRun.year = word;
      break;
    case KeyPrevM:
      task.lastRun.month = word;
      break;
    case KeyPrevD:
      task.lastRun.day = word;
      break;
    case KeyPrevH:
      task.lastRun.hour = word;
      break;
    case KeyPrevMin:
      task.lastRun.minute = word;
      break;
    case KeyPrevS:
      task.lastRun.second = word;
      break;
    case KeyPrevMS:
      task.doneThisPeriod = word;
      break;
    case KeyKind:
      task.rule.kind = *number;
      break;
    case KeyN:
      task.rule.every = *number;
      break;
    case KeyDays:
      task.rule.weekdays = *number;
      break;
    case KeyTill:
      task.rule.tillSecond = *number;
      break;
    // A warning out of range is none.
    case KeyPre:
      task.warnMinutes = *number < 0 || *number > 1440 ? 0 : *number;
      break;
    default:
      break;
  }
}

std::vector<Task> TaskTable::Finish(std::string_view source, std::optional<std::string>& error) {
  size_t n = 0;
  for (; n < tasks_.size(); ++n) {
    if (!(keysSeen_[n] & kSectionSeen)) {
      error = TaskSectionMissingText(source, static_cast<int32_t>(n),
                                     static_cast<int32_t>(tasks_.size()));
      break;
    }
    if (static_cast<int64_t>(n) == errorTask_) {
      error = NotAValidIntegerText(errorValue_);
      break;
    }
    // A rule no kind allows is left to `Mod`, as an older version would read the task.
    if (!RuleIsValid(tasks_[n].rule)) tasks_[n].rule = RepeatRule{};
  }
  tasks_.resize(n);
  return std::move(tasks_);
}

void TaskTable::NoteError(int64_t n, Key key, std::string_view value) {
  if (errorTask_ >= 0 && (errorTask_ < n || (errorTask_ == n && errorKey_ < key))) return;
  errorTask_ = n;
  errorKey_ = key;
  errorValue_ = value;
}
