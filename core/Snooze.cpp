#include "core/Snooze.h"

#include <algorithm>
#include <cstdio>

#include "core/Calendar.h"
#include "core/IntConversion.h"

namespace {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar, and the reverse
// (H. Hinnant's civil calendar algorithms).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int32_t& y, int32_t& m, int32_t& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int32_t>(yoe + era * 400 + (m <= 2));
}

}  // namespace

LocalMoment MomentOf(const SystemTime& time) {
  return {time.year, time.month, time.day, time.hour, time.minute, time.second};
}

SystemTime SystemTimeOf(const LocalMoment& m) {
  // 1 January 1970 was a Thursday.
  const int64_t days = DaysFromCivil(m.year, m.month, m.day);
  const auto dayOfWeek = static_cast<uint16_t>(((days % 7) + 7 + 4) % 7);
  const auto word = [](int32_t n) { return static_cast<uint16_t>(n); };
  return {word(m.year),   word(m.month),  word(m.day), word(m.hour),
          word(m.minute), word(m.second), 0,           dayOfWeek};
}

int64_t SecondsBetween(const LocalMoment& from, const LocalMoment& to) {
  const auto seconds = [](const LocalMoment& m) {
    return DaysFromCivil(m.year, m.month, m.day) * 86400 + m.hour * 3600 + m.minute * 60 + m.second;
  };
  return seconds(to) - seconds(from);
}

LocalMoment AddMinutes(const LocalMoment& moment, int32_t minutes) {
  const int64_t days = DaysFromCivil(moment.year, moment.month, moment.day);
  int64_t total = days * 1440 + moment.hour * 60 + moment.minute + minutes;
  const int64_t day = total >= 0 ? total / 1440 : (total - 1439) / 1440;
  total -= day * 1440;
  LocalMoment later = moment;
  CivilFromDays(day, later.year, later.month, later.day);
  later.hour = static_cast<int32_t>(total / 60);
  later.minute = static_cast<int32_t>(total % 60);
  return later;
}

std::string DueText(const LocalMoment& m) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", m.year, m.month, m.day, m.hour,
                m.minute, m.second);
  return text;
}

std::optional<LocalMoment> ParseDueText(std::string_view text) {
  // Exactly "YYYY-MM-DD hh:mm:ss": digits where digits go, the separators where they go.
  static constexpr std::string_view kShape = "0000-00-00 00:00:00";
  if (text.size() != kShape.size()) return std::nullopt;
  for (size_t i = 0; i < kShape.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == '0' ? !digit : text[i] != kShape[i]) return std::nullopt;
  }
  const auto number = [&](size_t at, size_t length) {
    return static_cast<int32_t>(*ParseDigits(text.substr(at, length), 9999));
  };
  const LocalMoment m{number(0, 4),  number(5, 2),  number(8, 2),
                      number(11, 2), number(14, 2), number(17, 2)};
  if (m.year < 1 || m.month < 1 || m.month > 12 || m.day < 1 ||
      m.day > DaysInMonth(m.month, m.year) || m.hour > 23 || m.minute > 59 || m.second > 59)
    return std::nullopt;
  return m;
}

size_t SnoozeChoiceIndex(int32_t minutes) {
  const auto at = std::find(kSnoozeMinutes.begin(), kSnoozeMinutes.end(), minutes);
  if (at != kSnoozeMinutes.end()) return static_cast<size_t>(at - kSnoozeMinutes.begin());
  return SnoozeChoiceIndex(kDefaultSnoozeMinutes);
}

void InsertByDue(std::vector<SnoozedReminder>& pending, SnoozedReminder reminder) {
  const auto at = std::upper_bound(
      pending.begin(), pending.end(), reminder.due,
      [](const LocalMoment& due, const SnoozedReminder& other) { return due < other.due; });
  pending.insert(at, std::move(reminder));
}

std::vector<SnoozedReminder> TakeDue(std::vector<SnoozedReminder>& pending,
                                     const LocalMoment& now) {
  const auto end = std::find_if(pending.begin(), pending.end(),
                                [&](const SnoozedReminder& r) { return now < r.due; });
  std::vector<SnoozedReminder> due(std::make_move_iterator(pending.begin()),
                                   std::make_move_iterator(end));
  pending.erase(pending.begin(), end);
  return due;
}
