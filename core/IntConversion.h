// The text-to-integer conversion of stored numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Leading blanks, then either an optional sign and decimal digits within the 32-bit signed
// range, or a hexadecimal number introduced by "$", "x", "X", "0x" or "0X" whose value fits in
// 32 bits (taken as the bit pattern, so "$FFFFFFFF" is -1). The digits must run to the end.
// Anything else, the empty text included, gives nullopt.
std::optional<int32_t> StrToInt32(std::string_view text);

// Decimal digits and nothing else, at least one. Gives nullopt as soon as the value passes
// `highest`; with the largest uint64_t for `highest`, a longer number wraps around. Inline: the
// reader takes every stored number through it.
inline std::optional<uint64_t> ParseDigits(std::string_view text, uint64_t highest) {
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > highest) return std::nullopt;
  }
  return value;
}

// StrToInt32 for the stored numbers as they nearly all are: plain decimal digits within the
// range are read at once; anything else (blanks, a sign, hexadecimal) goes the general way.
inline std::optional<int32_t> StoredInt32(std::string_view text) {
  if (const std::optional<uint64_t> digits = ParseDigits(text, INT32_MAX))
    return static_cast<int32_t>(*digits);
  return StrToInt32(text);
}
