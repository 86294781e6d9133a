#include "ui/commandline/RuleWords.h"

#include <array>

#include "core/IntConversion.h"
#include "core/TextEncodings.h"
#include "core/Texts.h"

std::optional<int32_t> ParseWeekday(std::string_view text) {
  static constexpr std::array<std::string_view, 7> kEnglish = {"mon", "tue", "wed", "thu",
                                                               "fri", "sat", "sun"};
  for (size_t i = 0; i < 7; ++i)
    if (EqualIgnoringCaseCp1251(text, kWeekdayShortNames[i]) ||
        EqualIgnoringCaseCp1251(text, kEnglish[i]))
      return static_cast<int32_t>(i) + 1;
  return std::nullopt;
}

std::optional<int32_t> ParseWeekdayList(std::string_view text) {
  int32_t days = 0;
  for (;;) {
    const size_t comma = text.find(',');
    const std::optional<int32_t> day = ParseWeekday(text.substr(0, comma));
    if (!day) return std::nullopt;
    days |= WeekdayBitOf(*day);
    if (comma == std::string_view::npos) return days;
    text.remove_prefix(comma + 1);
  }
}

std::optional<RepeatRule> ParseStep(std::string_view text) {
  if (text.size() < 2) return std::nullopt;
  const std::optional<uint64_t> count = ParseDigits(text.substr(0, text.size() - 1), INT32_MAX);
  if (!count) return std::nullopt;
  RepeatRule rule;
  rule.every = static_cast<int32_t>(*count);
  const unsigned char unit = LowerCp1251(static_cast<unsigned char>(text.back()));
  if (unit == 'm' || unit == 0xEC)  // м
    rule.kind = EveryNMinutes;
  else if (unit == 'h' || unit == 0xF7)  // ч
    rule.kind = EveryNHours;
  else if (unit == 'd' || unit == 0xE4)  // д
    rule.kind = EveryNDays;
  else
    return std::nullopt;
  return rule;
}

bool IsLastWord(std::string_view text) {
  for (std::string_view word : {"последний", "последняя", "последнее", "last"})
    if (EqualIgnoringCaseCp1251(text, word)) return true;
  return false;
}
