#include "ui/editor/TimeFields.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "core/IntConversion.h"
#include "core/Texts.h"

namespace {

// The magnitude of the most negative number does not fit; it stands for the largest one, which
// every caller cuts down to its range anyway.
int32_t Magnitude(int32_t value) {
  if (value == std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::max();
  return value < 0 ? -value : value;
}

NumberFieldValue ConvertField(std::string_view text, int32_t highest) {
  const std::optional<int32_t> value = StrToInt32(text);
  if (!value) return {false, 0, NotAValidIntegerText(text)};
  return {true, std::min(Magnitude(*value), highest), {}};
}

}  // namespace

std::string DecimalText(int32_t value) { return std::to_string(value); }

NumberFieldValue NormaliseTimeField(std::string_view text, int32_t highestValue) {
  return ConvertField(text, highestValue);
}

NumberFieldValue NormaliseYearField(std::string_view text) {
  return ConvertField(text, kYearHighest);
}

NumberFieldValue NormaliseBoundedField(std::string_view text, int32_t lowest, int32_t highest) {
  NumberFieldValue value = ConvertField(text, highest);
  value.position = std::max(value.position, lowest);
  return value;
}

int32_t ArrowStep(int32_t position, ArrowButton button, int32_t lowest, int32_t highest) {
  const int64_t next = int64_t{position} + (button == ArrowButton::Up ? 1 : -1);
  return static_cast<int32_t>(std::clamp<int64_t>(next, lowest, highest));
}

int32_t WrapTimeArrows(int32_t position, ArrowButton button, int32_t highestValue) {
  const int32_t lowest = TimeArrowsLowest();
  const int32_t highest = TimeArrowsHighest(highestValue);
  if (button == ArrowButton::Down && position == lowest) return highest - 1;
  if (button == ArrowButton::Up && position == highest) return lowest + 1;
  return position;
}

bool IsNumberKey(uint32_t characterCode) {
  return (characterCode >= '0' && characterCode <= '9') || characterCode == 8;
}
