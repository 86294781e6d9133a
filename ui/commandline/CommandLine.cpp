#include "ui/commandline/CommandLine.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "core/IntConversion.h"
#include "core/PathParts.h"
#include "core/Schedule.h"
#include "core/Snooze.h"
#include "core/TextEncodings.h"
#include "core/Texts.h"
#include "ui/commandline/RuleWords.h"
#include "ui/editor/DateFields.h"
#include "ui/editor/TimeFields.h"

namespace {

constexpr int64_t kLongestDelaySeconds = 366LL * 24 * 3600;
constexpr int64_t kLongestWarningSeconds = 24 * 3600;

bool IsSwitch(std::string_view arg) { return arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-'); }

bool SwitchIs(std::string_view arg, std::string_view name) {
  return IsSwitch(arg) && EqualIgnoringCaseCp1251(arg.substr(1), name);
}

// The switches that name the moment's date or recurrence: they belong right after "/at TIME"
// ("/every" may also begin the line).
bool IsWhenSwitch(std::string_view arg) {
  return SwitchIs(arg, "daily") || SwitchIs(arg, "on") || SwitchIs(arg, "weekly") ||
         SwitchIs(arg, "workdays") || SwitchIs(arg, "monthly") || SwitchIs(arg, "yearly") ||
         SwitchIs(arg, "every");
}

// A name that ends in a separator, ".", or ".." names a folder: nothing that could be run.
bool NamesFolder(std::string_view path) {
  const std::string name = NamePart(path);
  return name.empty() || name == "." || name == "..";
}

// A whole number of `minDigits` to `maxDigits` digits, nothing else.
std::optional<int32_t> Digits(std::string_view text, size_t minDigits, size_t maxDigits) {
  if (text.size() < minDigits || text.size() > maxDigits) return std::nullopt;
  const std::optional<uint64_t> value = ParseDigits(text, INT32_MAX);
  if (!value) return std::nullopt;
  return static_cast<int32_t>(*value);
}

// "1h30m", "25m", "90s", "2ч": the seconds, or nothing when it is not such a text.
std::optional<int64_t> DurationSeconds(std::string_view text) {
  int64_t total = 0;
  size_t at = 0;
  if (text.empty()) return std::nullopt;
  while (at < text.size()) {
    // At most nine digits; a tenth is taken for the unit.
    const size_t end = std::min(text.find_first_not_of("0123456789", at), at + 9);
    const std::optional<uint64_t> digits = ParseDigits(text.substr(at, end - at), UINT64_MAX);
    if (!digits || end >= text.size()) return std::nullopt;
    const auto number = static_cast<int64_t>(*digits);
    at = end;
    const unsigned char unit = LowerCp1251(static_cast<unsigned char>(text[at++]));
    if (unit == 'h' || unit == 0xF7)  // ч
      total += number * 3600;
    else if (unit == 'm' || unit == 0xEC)  // м
      total += number * 60;
    else if (unit == 's' || unit == 0xF1)  // с
      total += number;
    else
      return std::nullopt;
  }
  return total;
}

struct TimeOfDay {
  int32_t hour = 0, minute = 0, second = 0;
};

// "HH:MM" or "HH:MM:SS" within the editor's ranges.
std::optional<TimeOfDay> ParseTime(std::string_view text) {
  std::array<int32_t, 3> parts{};
  size_t count = 0;
  while (count < 3) {
    const size_t colon = text.find(':');
    const auto part = Digits(text.substr(0, colon), 1, 2);
    if (!part) return std::nullopt;
    parts[count++] = *part;
    if (colon == std::string_view::npos) break;
    text.remove_prefix(colon + 1);
    if (count == 3) return std::nullopt;
  }
  if (count < 2 || parts[0] > kHourHighest || parts[1] > kMinuteHighest ||
      parts[2] > kMinuteHighest)
    return std::nullopt;
  return TimeOfDay{parts[0], parts[1], parts[2]};
}

// "DD.MM" or, with `withYear`, "DD.MM.YYYY". `dayExists` false: the numbers are fine, but that
// month never has that day (or not in that year).
struct DayAndMonth {
  int32_t day = 0, month = 0, year = 0;
  bool dayExists = true;
};
std::optional<DayAndMonth> ParseDate(std::string_view text, bool withYear) {
  const size_t first = text.find('.');
  const size_t second = first == std::string_view::npos ? first : text.find('.', first + 1);
  if (first == std::string_view::npos || withYear != (second != std::string_view::npos))
    return std::nullopt;
  const auto day = Digits(text.substr(0, first), 1, 2);
  const auto month = Digits(text.substr(first + 1, second - first - 1), 1, 2);
  const auto year = withYear ? Digits(text.substr(second + 1), 4, 4) : std::optional<int32_t>(0);
  if (!day || !month || !year || *month < 1 || *month > kMonthCount || *day < 1 || *day > 31)
    return std::nullopt;
  // A yearly 29 February is the editor's too (with its warning): any leap year's February.
  const int32_t days = DaysInMonth(*month, withYear ? *year : 2000);
  return DayAndMonth{*day, *month, *year, *day <= days};
}

ParsedCommand Failure(std::string text) {
  ParsedCommand command;
  command.kind = ParsedCommand::Kind::Error;
  command.error = std::move(text);
  return command;
}

// The words of the message joined by blanks, each "\n" a line break.
std::string JoinMessage(const std::vector<std::string>& args, size_t from) {
  std::string message;
  for (size_t i = from; i < args.size(); ++i) {
    if (i > from) message += ' ';
    message += args[i];
  }
  for (size_t at = message.find("\\n"); at != std::string::npos; at = message.find("\\n", at))
    message.replace(at, 2, "\r\n");
  return message;
}

std::string_view ArgAt(const std::vector<std::string>& args, size_t i) {
  return i < args.size() ? std::string_view(args[i]) : std::string_view();
}

// The moment the command line names: recurrence, time of day and the date fields (today's where
// the recurrence has none), and where the arguments after it begin.
// `rule` a repeat rule beyond the recurrence list, `recurrenceNamed` whether a switch chose either.
struct CommandMoment {
  int32_t recurrence = Once;
  RepeatRule rule;
  bool recurrenceNamed = false;
  TimeOfDay time;
  int32_t year = 0, month = 0, day = 0;
  size_t next = 2;
};

// "/every STEP" at `at`: the rule, with the arguments after it at `next`. Gives the error text.
std::optional<std::string> ParseEvery(const std::vector<std::string>& args, size_t at,
                                      CommandMoment& moment) {
  const std::string_view step = ArgAt(args, at + 1);
  const std::optional<RepeatRule> rule = ParseStep(step);
  if (!rule) return kBadStepError + std::string(step);
  if (!RuleIsValid(*rule)) return kStepRangeError + std::string(step);
  moment.rule = *rule;
  moment.recurrenceNamed = true;
  moment.next = at + 2;
  return std::nullopt;
}

// "/monthly D", "/monthly 2вт" or "/monthly последняя пт" after "/at TIME". Gives the error text.
std::optional<std::string> ParseMonthly(const std::vector<std::string>& args,
                                        CommandMoment& moment) {
  const std::string_view value = ArgAt(args, 3);
  const size_t digits = value.find_first_not_of("0123456789");
  if (digits == std::string_view::npos) {
    const auto date = Digits(value, 1, 2);
    if (!date || *date < 1 || *date > kMonthlyDayCount)
      return kBadMonthDayError + std::string(value);
    moment.recurrence = EveryMonth;
    moment.day = *date;
    return std::nullopt;
  }
  // "2вт" in one word; "последняя пт" in two.
  const bool last = digits == 0 && IsLastWord(value);
  if (digits == 0 && !last) return kBadMonthDayError + std::string(value);
  const std::string_view dayWord = last ? ArgAt(args, 4) : value;
  const std::optional<int32_t> weekday = ParseWeekday(last ? dayWord : value.substr(digits));
  if (!weekday) return kBadWeekdayError + std::string(dayWord);
  const std::optional<int32_t> week = last ? kLastOfMonth : Digits(value.substr(0, digits), 1, 1);
  if (!week || *week < 1 || (*week > 4 && !last)) return kWeekOfMonthError + std::string(value);
  if (last) moment.next = 5;
  moment.rule = {NthWeekdayOfMonth, *week, WeekdayBitOf(*weekday)};
  return std::nullopt;
}

// "/in DURATION": once, that long from now. Gives the error text, if any.
std::optional<std::string> ParseDelay(const std::vector<std::string>& args, const SystemTime& now,
                                      CommandMoment& moment) {
  const auto seconds = DurationSeconds(ArgAt(args, 1));
  if (!seconds) return kBadDurationError + std::string(ArgAt(args, 1));
  if (*seconds <= 0 || *seconds > kLongestDelaySeconds) return kDurationRangeError + args[1];
  const int64_t total = now.second + *seconds;
  const LocalMoment at = AddMinutes({now.year, now.month, now.day, now.hour, now.minute, 0},
                                    static_cast<int32_t>(total / 60));
  moment.year = at.year, moment.month = at.month, moment.day = at.day;
  moment.time = {at.hour, at.minute, static_cast<int32_t>(total % 60)};
  return std::nullopt;
}

// "/at TIME [WHEN]". Gives the error text, if any.
std::optional<std::string> ParseAt(const std::vector<std::string>& args, const SystemTime& now,
                                   CommandMoment& moment) {
  const auto parsed = ParseTime(ArgAt(args, 1));
  if (!parsed) return kBadTimeError + std::string(ArgAt(args, 1));
  moment.time = *parsed;
  const std::string_view when = ArgAt(args, 2), value = ArgAt(args, 3);
  moment.next = 4;
  moment.recurrenceNamed = IsWhenSwitch(when);
  if (SwitchIs(when, "every")) return ParseEvery(args, 2, moment);
  if (SwitchIs(when, "daily") || SwitchIs(when, "workdays")) {
    if (SwitchIs(when, "workdays")) moment.rule = {OnWeekdays, 0, kWorkingDays};
    moment.recurrence = EveryDay;
    moment.next = 3;
  } else if (SwitchIs(when, "on") || SwitchIs(when, "yearly")) {
    const bool once = SwitchIs(when, "on");
    const auto date = ParseDate(value, once);
    if (!date) return kBadDateError + std::string(value);
    if (!date->dayExists) return kNoSuchDayError + std::string(value);
    if (once)
      moment.year = date->year;
    else
      moment.recurrence = EveryYear;
    moment.month = date->month, moment.day = date->day;
  } else if (SwitchIs(when, "weekly")) {
    // One day is the older weekly recurrence, as the editor makes it; a list is a rule.
    const std::optional<int32_t> weekday = ParseWeekday(value);
    const std::optional<int32_t> days = ParseWeekdayList(value);
    if (!days) return kBadWeekdayError + std::string(value);
    if (weekday)
      moment.recurrence = EveryMonday + *weekday - 1;
    else
      moment.rule = {OnWeekdays, 0, *days};
  } else if (SwitchIs(when, "monthly")) {
    return ParseMonthly(args, moment);
  } else {
    moment.next = 2;
    // Today while the time is still ahead, else tomorrow.
    if (SecondOfDay(moment.time.hour, moment.time.minute, moment.time.second) <= SecondOfDay(now)) {
      const LocalMoment tomorrow = AddMinutes({now.year, now.month, now.day, 0, 0, 0}, 1440);
      moment.year = tomorrow.year, moment.month = tomorrow.month, moment.day = tomorrow.day;
    }
  }
  return std::nullopt;
}

// The file named after the switch at `next` (/run, /sound) into `file`; `next` is left at it.
// Gives the error text, if any.
std::optional<std::string> TakeFile(const std::vector<std::string>& args, size_t& next,
                                    const char* missingError, const char* folderError,
                                    std::string& file) {
  if (next + 1 >= args.size() || args[next + 1].empty()) return missingError;
  if (NamesFolder(args[next + 1])) return folderError + args[next + 1];
  file = args[++next];
  return std::nullopt;
}

// "/before DURATION": whole minutes, up to a day. Gives the error text, if any.
std::optional<std::string> ParseWarning(std::string_view text, int32_t& warnMinutes) {
  const std::optional<int64_t> seconds = DurationSeconds(text);
  if (!seconds) return kBadDurationError + std::string(text);
  if (*seconds % 60 != 0 || *seconds > kLongestWarningSeconds)
    return kWarningRangeError + std::string(text);
  warnMinutes = static_cast<int32_t>(*seconds / 60);
  return std::nullopt;
}

// "/till TIME" and "/days DAYS" after "/every" in minutes or hours: the last step of the day, no
// earlier than the first, and the days. Gives the error text, if any.
std::optional<std::string> ParseStepLimit(std::string_view name, std::string_view value,
                                          CommandMoment& moment) {
  if (moment.rule.kind != EveryNMinutes && moment.rule.kind != EveryNHours) return kStepOnlyError;
  if (SwitchIs(name, "days")) {
    const std::optional<int32_t> days = ParseWeekdayList(value);
    if (!days) return kBadWeekdayError + std::string(value);
    moment.rule.weekdays = *days;
    return std::nullopt;
  }
  const std::optional<TimeOfDay> till = ParseTime(value);
  if (!till) return kBadTimeError + std::string(value);
  moment.rule.tillSecond = SecondOfDay(till->hour, till->minute, till->second);
  if (moment.rule.tillSecond <
      SecondOfDay(moment.time.hour, moment.time.minute, moment.time.second))
    return kTillBeforeStartError + std::string(value);
  return std::nullopt;
}

// The action switches from `next` on; `next` is left at the message's first word. Gives the
// error text, if any.
std::optional<std::string> ParseActions(const std::vector<std::string>& args, size_t& next,
                                        CommandMoment& moment, CommandLineTask& task) {
  EditorFields& fields = task.fields;
  for (; next < args.size() && IsSwitch(args[next]); ++next) {
    const std::string_view arg = args[next];
    if (SwitchIs(arg, "till") || SwitchIs(arg, "days")) {
      if (auto error = ParseStepLimit(arg, ArgAt(args, ++next), moment)) return error;
    } else if (SwitchIs(arg, "before")) {
      if (auto error = ParseWarning(ArgAt(args, ++next), task.warnMinutes)) return error;
    } else if (SwitchIs(arg, "nomessage")) {
      fields.showMessageChecked = false;
    } else if (SwitchIs(arg, "nosound")) {
      fields.beepChecked = false;
    } else if (SwitchIs(arg, "delete")) {
      if (!fields.deleteEnabled) return kDeleteNotOnceError;
      fields.deleteChecked = true;
    } else if (SwitchIs(arg, "run")) {
      if (auto error = TakeFile(args, next, kRunWithoutFileError, kRunFolderError, fields.fileName))
        return error;
      fields.runFileChecked = true;
      fields.fileField = NamePart(std::string_view(fields.fileName));
    } else if (SwitchIs(arg, "sound")) {
      if (auto error =
              TakeFile(args, next, kSoundWithoutFileError, kSoundFolderError, fields.soundFile))
        return error;
    } else if (SwitchIs(arg, "repeat")) {
      fields.repeatChecked = true;
    } else if (SwitchIs(arg, "wake")) {
      fields.wakeChecked = true;
    } else if (IsWhenSwitch(arg)) {
      return (moment.recurrenceNamed ? kSecondRecurrenceError : kWhenWithoutAtError) + args[next];
    } else {
      return kUnknownSwitchError + args[next];
    }
  }
  // In whatever order they came: a sound file for a task without sound is a contradiction, and
  // the repetition needs a popup to answer and a sound to repeat.
  if (!fields.soundFile.empty() && !fields.beepChecked) return kSoundWithNoSoundError;
  if (fields.repeatChecked && !RepeatAllowed(fields.showMessageChecked, fields.beepChecked))
    return kRepeatError;
  return std::nullopt;
}

}  // namespace

ParsedCommand ParseCommandLine(const std::vector<std::string>& args, const SystemTime& now) {
  if (args.empty()) return {};
  if (args.size() == 1 && SwitchIs(args[0], "?")) {
    ParsedCommand usage;
    usage.kind = ParsedCommand::Kind::Usage;
    return usage;
  }
  if (SwitchIs(args[0], "quit")) {
    if (args.size() > 1) return Failure(kQuitAloneError + args[1]);
    ParsedCommand quit;
    quit.kind = ParsedCommand::Kind::Quit;
    return quit;
  }
  CommandMoment moment;
  moment.year = now.year, moment.month = now.month, moment.day = now.day;
  std::optional<std::string> error;
  if (SwitchIs(args[0], "in")) {
    error = ParseDelay(args, now, moment);
  } else if (SwitchIs(args[0], "at")) {
    error = ParseAt(args, now, moment);
  } else if (SwitchIs(args[0], "every")) {
    moment.time = {now.hour, now.minute, 0};
    error = ParseEvery(args, 0, moment);
  } else if (IsWhenSwitch(args[0])) {
    error = kWhenWithoutAtError + args[0];
  } else {
    error = IsSwitch(args[0]) ? kUnknownSwitchError + args[0] : std::string(kNoCommandError);
  }
  // A rule keeps the older daily recurrence until the commit sets the nearest one.
  if (moment.rule.kind != PlainRule) moment.recurrence = EveryDay;

  CommandLineTask task;
  EditorFields& fields = task.fields;
  fields.showMessageChecked = true;
  fields.beepChecked = true;
  fields.runFileEnabled = true;  // the shutdown box stays clear
  fields.deleteEnabled = LayoutForRecurrence(moment.recurrence).deleteAfter;
  size_t next = moment.next;
  if (!error) error = ParseActions(args, next, moment, task);
  if (error) return Failure(std::move(*error));

  fields.recurrenceIndex = moment.recurrence;
  fields.text = JoinMessage(args, next);
  fields.hourText = DecimalText(moment.time.hour);
  fields.minuteText = DecimalText(moment.time.minute);
  fields.secondText = DecimalText(moment.time.second);
  fields.yearText = DecimalText(moment.year);
  fields.monthIndex = moment.month - 1;
  fields.dayIndex = moment.day - 1;
  task.rule = moment.rule;
  ParsedCommand command;
  command.kind = ParsedCommand::Kind::AddTask;
  command.task = std::move(task);
  return command;
}
