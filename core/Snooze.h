// Snoozed reminders: a reminder the user put off comes back, with the same title and message,
// once its duration has passed, also after the program was closed meanwhile. Each lives on its
// own, whatever happens to the task that fired it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Task.h"

// A moment of local time to the second, ordered as time runs.
struct LocalMoment {
  int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  friend auto operator<=>(const LocalMoment&, const LocalMoment&) = default;
};

LocalMoment MomentOf(const SystemTime& time);
// The reverse, with the day of the week worked out (the milliseconds 0).
SystemTime SystemTimeOf(const LocalMoment& moment);
// Seconds from `from` to `to` on the wall clock (negative when `to` is earlier).
int64_t SecondsBetween(const LocalMoment& from, const LocalMoment& to);
// `minutes` later, across days, months and years.
LocalMoment AddMinutes(const LocalMoment& moment, int32_t minutes);
// "YYYY-MM-DD hh:mm:ss", as Data.ini keeps it.
std::string DueText(const LocalMoment& moment);
// The reverse; empty for a text that is not a real moment (years 1..9999).
std::optional<LocalMoment> ParseDueText(std::string_view text);

struct SnoozedReminder {
  LocalMoment due;
  std::string moment;            // the moment text of the title, without its two leading blanks
  std::string message;           // cp1251, line breaks as CR LF
  bool sound = false;            // the sound plays again when it comes back
  SoundChoice soundChoice = {};  // which sound, and whether it repeats until answered
};

// The durations the popup offers, in minutes (their texts are kSnoozeTexts).
inline constexpr std::array<int32_t, 7> kSnoozeMinutes = {5, 10, 15, 30, 60, 120, 1440};
inline constexpr int32_t kDefaultSnoozeMinutes = 10;
// The index of `minutes` in the list, or that of the default for a number not offered.
size_t SnoozeChoiceIndex(int32_t minutes);

// Puts `reminder` among `pending` in the order they fall due (after those due at the same
// moment).
void InsertByDue(std::vector<SnoozedReminder>& pending, SnoozedReminder reminder);
// Takes out the reminders due at `now` or before, in their order.
std::vector<SnoozedReminder> TakeDue(std::vector<SnoozedReminder>& pending, const LocalMoment& now);
