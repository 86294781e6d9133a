#include "ui/commandline/TaskHandover.h"

#include <vector>

#include "core/IntConversion.h"

namespace {

// The fields in a fixed order, each ended by a zero byte; the first is the version.
constexpr std::string_view kVersion = "4";
constexpr size_t kFieldCount = 20;
constexpr int32_t kLongestWarningMinutes = 1440;
constexpr size_t kFlagCount = 9;

}  // namespace

std::string EncodeTaskHandover(const CommandLineTask& task, uint64_t deadline) {
  const EditorFields& f = task.fields;
  const RepeatRule& rule = task.rule;
  const auto flag = [](bool on) { return on ? '1' : '0'; };
  const std::string flags{
      flag(f.deleteChecked),      flag(f.deleteEnabled), flag(f.shutDownChecked),
      flag(f.showMessageChecked), flag(f.beepChecked),   flag(f.runFileChecked),
      flag(f.runFileEnabled),     flag(f.repeatChecked), flag(f.wakeChecked)};
  std::string record;
  for (const std::string& field : {std::string(kVersion),
                                   std::to_string(f.recurrenceIndex),
                                   f.text,
                                   f.hourText,
                                   f.minuteText,
                                   f.secondText,
                                   f.yearText,
                                   std::to_string(f.monthIndex),
                                   std::to_string(f.dayIndex),
                                   flags,
                                   f.fileField,
                                   f.fileName,
                                   f.soundFile,
                                   std::to_string(rule.kind),
                                   std::to_string(rule.every),
                                   std::to_string(rule.weekdays),
                                   std::to_string(rule.tillSecond),
                                   std::to_string(task.warnMinutes),
                                   std::to_string(deadline),
                                   std::string("end")}) {
    record += field;
    record += '\0';
  }
  return record;
}

std::optional<HandedOverTask> DecodeTaskHandover(std::string_view record) {
  std::vector<std::string_view> fields;
  while (!record.empty()) {
    const size_t end = record.find('\0');
    if (end == std::string_view::npos) return std::nullopt;
    fields.push_back(record.substr(0, end));
    record.remove_prefix(end + 1);
  }
  if (fields.size() != kFieldCount || fields[0] != kVersion || fields[19] != "end")
    return std::nullopt;
  const auto recurrence = StrToInt32(fields[1]), month = StrToInt32(fields[7]),
             day = StrToInt32(fields[8]);
  const std::string_view flags = fields[9];
  const auto kind = StrToInt32(fields[13]), every = StrToInt32(fields[14]),
             weekdays = StrToInt32(fields[15]), till = StrToInt32(fields[16]),
             warning = StrToInt32(fields[17]);
  const std::optional<uint64_t> deadline = ParseDigits(fields[18], UINT64_MAX);
  if (!recurrence || !month || !day || flags.size() != kFlagCount || !kind || !every || !weekdays ||
      !till || !warning || !deadline)
    return std::nullopt;
  HandedOverTask handed{{{}, {*kind, *every, *weekdays, *till}, *warning}, *deadline};
  if (!RuleIsValid(handed.task.rule) || *warning < 0 || *warning > kLongestWarningMinutes)
    return std::nullopt;
  EditorFields& f = handed.task.fields;
  f.recurrenceIndex = *recurrence;
  f.text = fields[2];
  f.hourText = fields[3];
  f.minuteText = fields[4];
  f.secondText = fields[5];
  f.yearText = fields[6];
  f.monthIndex = *month;
  f.dayIndex = *day;
  f.deleteChecked = flags[0] == '1';
  f.deleteEnabled = flags[1] == '1';
  f.shutDownChecked = flags[2] == '1';
  f.showMessageChecked = flags[3] == '1';
  f.beepChecked = flags[4] == '1';
  f.runFileChecked = flags[5] == '1';
  f.runFileEnabled = flags[6] == '1';
  f.repeatChecked = flags[7] == '1';
  f.wakeChecked = flags[8] == '1';
  f.fileField = fields[10];
  f.fileName = fields[11];
  f.soundFile = fields[12];
  return handed;
}
