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
#include "ui/editor/DateFields.h"
#include "ui/editor/TimeFields.h"

namespace {

constexpr int64_t kLongestDelaySeconds = 366LL * 24 * 3600;

bool IsSwitch(std::string_view arg) { return arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-'); }

bool SwitchIs(std::string_view arg, std::string_view name) {
  return IsSwitch(arg) && EqualIgnoringCaseCp1251(arg.substr(1), name);
}

// The switches that name the moment's date or recurrence: they belong right after "/at TIME".
bool IsWhenSwitch(std::string_view arg) {
  return SwitchIs(arg, "daily") || SwitchIs(arg, "on") || SwitchIs(arg, "weekly") ||
         SwitchIs(arg, "monthly") || SwitchIs(arg, "yearly");
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

// "пн" ... "вс" or "mon" ... "sun": 1 for Monday ... 7 for Sunday.
std::optional<int32_t> ParseWeekday(std::string_view text) {
  static constexpr std::array<std::string_view, 7> kRussian = {"пн", "вт", "ср", "чт",
                                                               "пт", "сб", "вс"};
  static constexpr std::array<std::string_view, 7> kEnglish = {"mon", "tue", "wed", "thu",
                                                               "fri", "sat", "sun"};
  for (size_t i = 0; i < 7; ++i)
    if (EqualIgnoringCaseCp1251(text, kRussian[i]) || EqualIgnoringCaseCp1251(text, kEnglish[i]))
      return static_cast<int32_t>(i) + 1;
  return std::nullopt;
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
struct CommandMoment {
  int32_t recurrence = Once;
  TimeOfDay time;
  int32_t year = 0, month = 0, day = 0;
  size_t next = 2;
};

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
  if (SwitchIs(when, "daily")) {
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
    const auto weekday = ParseWeekday(value);
    if (!weekday) return kBadWeekdayError + std::string(value);
    moment.recurrence = EveryMonday + *weekday - 1;
  } else if (SwitchIs(when, "monthly")) {
    const auto date = Digits(value, 1, 2);
    if (!date || *date < 1 || *date > kMonthlyDayCount)
      return kBadMonthDayError + std::string(value);
    moment.recurrence = EveryMonth;
    moment.day = *date;
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

// The action switches from `next` on; `next` is left at the message's first word. Gives the
// error text, if any.
std::optional<std::string> ParseActions(const std::vector<std::string>& args, size_t& next,
                                        EditorFields& fields) {
  for (; next < args.size() && IsSwitch(args[next]); ++next) {
    const std::string_view arg = args[next];
    if (SwitchIs(arg, "nomessage")) {
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
    } else {
      return (IsWhenSwitch(arg) ? kWhenWithoutAtError : kUnknownSwitchError) + args[next];
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
  CommandMoment moment{Once, {}, now.year, now.month, now.day};
  std::optional<std::string> error;
  if (SwitchIs(args[0], "in"))
    error = ParseDelay(args, now, moment);
  else if (SwitchIs(args[0], "at"))
    error = ParseAt(args, now, moment);
  else if (IsWhenSwitch(args[0]))
    error = kWhenWithoutAtError + args[0];
  else
    error = IsSwitch(args[0]) ? kUnknownSwitchError + args[0] : std::string(kNoCommandError);

  EditorFields fields;
  fields.showMessageChecked = true;
  fields.beepChecked = true;
  fields.runFileEnabled = true;  // the shutdown box stays clear
  fields.deleteEnabled = LayoutForRecurrence(moment.recurrence).deleteAfter;
  size_t next = moment.next;
  if (!error) error = ParseActions(args, next, fields);
  if (error) return Failure(std::move(*error));

  fields.recurrenceIndex = moment.recurrence;
  fields.text = JoinMessage(args, next);
  fields.hourText = DecimalText(moment.time.hour);
  fields.minuteText = DecimalText(moment.time.minute);
  fields.secondText = DecimalText(moment.time.second);
  fields.yearText = DecimalText(moment.year);
  fields.monthIndex = moment.month - 1;
  fields.dayIndex = moment.day - 1;
  ParsedCommand command;
  command.kind = ParsedCommand::Kind::AddTask;
  command.fields = std::move(fields);
  return command;
}
