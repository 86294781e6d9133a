// One task of the user's list, the settings kept beside the list, and the fixed codes they carry.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// The local time as the system gives it, its members in date order (the day of the week last).
struct SystemTime {
  uint16_t year = 0, month = 0, day = 0;
  uint16_t hour = 0, minute = 0, second = 0, milliseconds = 0;
  uint16_t dayOfWeek = 0;  // Sunday 0 ... Saturday 6
};

// How often a task fires: the item index of the editor's recurrence list and the number that
// Data.ini stores. A task keeps whatever number its file held, so the field is a plain integer.
enum Recurrence : int32_t {
  EveryDay = 0,
  EveryMonday = 1,
  EveryTuesday = 2,
  EveryWednesday = 3,
  EveryThursday = 4,
  EveryFriday = 5,
  EverySaturday = 6,
  EverySunday = 7,
  EveryMonth = 8,
  EveryYear = 9,
  Once = 10,
};

// The weekly recurrences, Monday to Sunday, and the day of the week each fires on (Sunday 0 ...
// Saturday 6, as the system counts).
constexpr bool IsWeekly(int32_t recurrence) {
  return recurrence >= EveryMonday && recurrence <= EverySunday;
}
constexpr int32_t WeeklyDayOfWeek(int32_t recurrence) { return recurrence % 7; }

// The rules beyond the recurrence list. A task with one of them keeps in `recurrence` the nearest
// rule an older version knows, one that fires it at least on every day the rule does: daily, and
// for the Nth weekday monthly on the day of its next occurrence (rewritten at each firing and
// save, KeepOlderRecurrence).
enum RuleKind : int32_t {
  PlainRule = 0,          // `recurrence` alone
  EveryNMinutes = 1,      // from the time of day until `tillSecond`, every `every` minutes
  EveryNHours = 2,        // the same in hours
  OnWeekdays = 3,         // at the time of day on the days of `weekdays` (working days: Mon..Fri)
  NthWeekdayOfMonth = 4,  // the `every`-th (5: the last) weekday of `weekdays` of each month
  EveryNDays = 5,         // from the task's date on, every `every` days at the time of day
};
constexpr int32_t kLastOfMonth = 5;  // `every` of NthWeekdayOfMonth for the last one
constexpr int32_t WeekdayBit(int32_t dayOfWeek) { return 1 << dayOfWeek; }  // Sunday 0
constexpr int32_t kWorkingDays = 0x3E;                                      // Monday to Friday

struct RepeatRule {
  int32_t kind = PlainRule;
  int32_t every = 0;           // minutes, hours or days; the week of the month 1..4 or kLastOfMonth
  int32_t weekdays = 0;        // WeekdayBit set; for minutes and hours 0 reads every day
  int32_t tillSecond = 86399;  // second of day of the last slot of minutes and hours
  friend bool operator==(const RepeatRule&, const RepeatRule&) = default;
};

// False for a rule no kind allows (a number out of range, no weekday); a task reads it as
// PlainRule.
bool RuleIsValid(const RepeatRule& rule);

// Seconds since midnight of a time of day.
constexpr int32_t SecondOfDay(int32_t hour, int32_t minute, int32_t second) {
  return hour * 3600 + minute * 60 + second;
}

enum TaskStatus : int32_t {
  StatusDone = 0,
  StatusActive = 1,
  StatusPaused = 2,
  StatusDoneToday = 3,  // done for the current day, month or year; active again in the next
};

// Text of the status column; empty for a code the program never stores.
const char* StatusText(int32_t status);

// How a reminder is heard when its sound action is on: the melody or a sound file, played
// once or again until its popup is answered.
struct SoundChoice {
  std::string file;     // full path of a .wav file; empty for the melody
  bool repeat = false;  // repeat until answered (needs the message and the sound actions)
  friend bool operator==(const SoundChoice&, const SoundChoice&) = default;
};

// The span of wall-clock seconds (WallSecond) from a pass on in which the checker has nothing to
// do for a task that keeps the status it had then: no firing, no return to active, no warning.
// Empty when the pass has something to do, or may have soon.
struct QuietSpan {
  int64_t from = 0, until = 0;
  int32_t status = -1;  // the task's status it holds for
};

// On a cache line of its own (a few bytes of padding): the fields a pass reads stay within one.
struct alignas(64) Task {
  // What every pass reads of every task, together at the start: a task with nothing to do costs
  // the pass one cache line.
  QuietSpan quiet;  // left by the last pass; a change of status alone makes it void
  int32_t status = 0;
  int32_t warnMinutes = 0;  // a warning popup that many minutes before each moment; 0 none
  bool armed = false;  // false while the user interface writes the record: the checker leaves it

  int32_t recurrence = EveryDay;
  RepeatRule rule;          // PlainRule: `recurrence` says how often
  SystemTime warnedFor;     // the moment last warned of (not stored: a restart may warn again)
  int32_t secondOfDay = 0;  // hour * 3600 + minute * 60 + second
  int32_t hour = 0, minute = 0, second = 0;
  int32_t year = 0, month = 0, day = 0;
  std::string message;  // cp1251, line breaks as CR LF
  // The actions.
  bool deleteAfter = false, runFile = false, shutDown = false, beep = false, showMessage = false;
  std::string fileName;
  SoundChoice soundChoice;
  bool wake = false;  // the computer is woken from sleep for the task's next moment
  // The moment of the last firing (day of week and milliseconds unused).
  SystemTime lastRun;
  // Non-zero while the task is done for its current period. Kept as the number Data.ini holds,
  // like the last-run words, so a file is written back as it was read.
  uint16_t doneThisPeriod = 0;

  // Stable identity for code that holds on to a task across a modal box while indexes move.
  // Given when the record is created or loaded; not stored in Data.ini.
  uint64_t id = 0;

  // Sets secondOfDay and derives hour, minute and second the way loading does.
  void SetSecondOfDay(int32_t seconds);
  // Sets hour, minute and second as given (the editor's fields) and secondOfDay from them.
  void SetTime(int32_t hourOfDay, int32_t minuteOfHour, int32_t secondOfMinute);
  // After an edit of the moment, rule, date or warning: the next pass looks at the task again.
  void ForgetQuiet() { quiet = QuietSpan{}; }
};

// The options and the main window's geometry, as Data.ini keeps them.
struct Settings {
  // The main window's outer rectangle in pixels at 96 dots per inch.
  int32_t windowLeft = 0, windowTop = 0, windowWidth = 0, windowHeight = 0;
  bool startWithWindows = false, startHidden = false, useTray = false, maximised = false;
  std::array<int32_t, 5> columnWidths{};
  int32_t taskCount = 0;
  std::string lastFileFolder;   // of the file last chosen for a task, with its final backslash
  std::string lastSoundFolder;  // of the sound file last chosen, with its final backslash
  int32_t snoozeMinutes = 10;   // the duration last chosen to put a reminder off
  int32_t snoozedCount = 0;     // reminders put off and not yet back
};
