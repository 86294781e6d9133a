// The editor's number fields: the hour, minute and second fields with their wrapping arrows,
// the year field with its stopping arrows, and the key filter they share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int32_t kHourHighest = 23;
inline constexpr int32_t kMinuteHighest = 59;  // minutes and seconds
inline constexpr int32_t kYearLowest = 0;
inline constexpr int32_t kYearHighest = 9999;
inline constexpr int32_t kYearArrowsStart = 2008;

// The time arrows reach one step beyond the valid values on both sides; the arrow handlers turn
// that extra step into a wrap-around.
inline constexpr int32_t TimeArrowsLowest() { return -1; }
inline constexpr int32_t TimeArrowsHighest(int32_t highestValue) { return highestValue + 1; }

enum class ArrowButton { Up, Down };

// The outcome of converting a number field: its new arrow position, or the error text (without
// the full stop that the error box adds) when the text is not a whole number.
struct NumberFieldValue {
  bool valid = false;
  int32_t position = 0;
  std::string error;
};

// The decimal text of a number, without leading zeros.
std::string DecimalText(int32_t value);

// A time field changed (hour, minute or second): the text converted, made positive and cut down to
// `highestValue` (23 or 59). The field then shows DecimalText(position).
NumberFieldValue NormaliseTimeField(std::string_view text, int32_t highestValue);

// OnYearChanged: the text converted and made positive; the arrows keep it within 0..9999. The
// year field's own text is not rewritten.
NumberFieldValue NormaliseYearField(std::string_view text);

// A number field of a repeat rule or the warning (N, the minutes before): the text converted,
// made positive and kept within lowest..highest. The field then shows DecimalText(position).
NumberFieldValue NormaliseBoundedField(std::string_view text, int32_t lowest, int32_t highest);

// Where the arrows stand after one press, before any handler: one step, stopped at the range's
// ends (the arrows' own wrapping is off).
int32_t ArrowStep(int32_t position, ArrowButton button, int32_t lowest, int32_t highest);

// An arrow of a time field pressed: the arrows have already stepped; a step onto the
// extra position below or above the valid values wraps to the other end.
int32_t WrapTimeArrows(int32_t position, ArrowButton button, int32_t highestValue);

// Only the digits and backspace may be typed into the number fields.
bool IsNumberKey(uint32_t characterCode);
