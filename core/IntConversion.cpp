#include "core/IntConversion.h"

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<int32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  uint32_t value = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0 || value > 0x0FFFFFFFu) return std::nullopt;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return static_cast<int32_t>(value);
}

std::optional<int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  constexpr uint64_t kLimit = uint64_t{INT32_MAX} + 1;  // the magnitude of INT32_MIN
  const std::optional<uint64_t> magnitude = ParseDigits(text, kLimit);
  if (!magnitude) return std::nullopt;
  const int64_t value =
      negative ? -static_cast<int64_t>(*magnitude) : static_cast<int64_t>(*magnitude);
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace

std::optional<int32_t> StrToInt32(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  if (text.front() == '$' || text.front() == 'x' || text.front() == 'X')
    return ParseHex(text.substr(1));
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return ParseHex(text.substr(2));
  return ParseDecimal(text);
}
