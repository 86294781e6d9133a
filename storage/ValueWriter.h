// Key lines of Data.ini: "key=value" CR LF, appended to the output buffer without any heap
// allocation of their own (the buffer is reserved beforehand).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "[name" n "]" CR LF, e.g. [TASK0]; without n when n < 0, e.g. [SETTINGS].
void AppendSectionLine(std::string& out, std::string_view name, int32_t n = -1);

void AppendIntLine(std::string& out, std::string_view key, int32_t value);
// "1" or "0".
void AppendFlagLine(std::string& out, std::string_view key, bool flag);

// A text as it is; inside double quotes when its first or last byte is a blank, a tab or a
// quotation mark, so that the reader's trimming and unquoting give it back unchanged.
void AppendTextLine(std::string& out, std::string_view key, std::string_view text);

// A message: every line break (CR LF, a lone CR, a lone LF) is written as the byte 0x01, which
// the reader turns back into CR LF; quoted like any text. The message itself is not changed.
void AppendMessageLine(std::string& out, std::string_view key, std::string_view message);

// Bytes that AppendTextLine or AppendMessageLine may add to a text of that length.
constexpr size_t TextLineBound(std::string_view key, size_t length) {
  return key.size() + 1 + length + 2 + 2;
}
