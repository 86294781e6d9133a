#include "core/TextEncodings.h"

#include <array>
#include <cstdint>

namespace {

// The characters of bytes 0x80..0xBF of code page 1251 (0x98 has none); 0xC0..0xFF are
// U+0410..U+044F.
constexpr char16_t kUpperHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char Cp1251Byte(char32_t c) {
  if (c < 0x80) return static_cast<char>(c);
  if (c >= 0x0410 && c <= 0x044F) return static_cast<char>(0xC0 + (c - 0x0410));
  for (size_t i = 0; i < 64; ++i)
    if (kUpperHalf[i] != 0 && kUpperHalf[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

// Well-formed UTF-8 only: an overlong, surrogate-coded, out-of-range or cut-off sequence is no
// character. Such a sequence's longest valid start (at least its first byte) becomes one "?", so
// no bad sequence ever turns into a control character or a line break.
std::string FromUtf8Bytes(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<uint8_t>(bytes[i]);
    const size_t length = lead < 0x80                    ? 1
                          : lead >= 0xC2 && lead <= 0xDF ? 2
                          : lead >= 0xE0 && lead <= 0xEF ? 3
                          : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                         : 0;
    // The second byte's range excludes the overlong forms, the surrogates and what lies beyond
    // U+10FFFF.
    const uint8_t low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const uint8_t high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    char32_t c = length == 1   ? lead
                 : length == 2 ? lead & 0x1F
                 : length == 3 ? lead & 0x0F
                               : lead & 0x07;
    size_t taken = 1;
    for (; taken < length && i + taken < bytes.size(); ++taken) {
      const auto next = static_cast<uint8_t>(bytes[i + taken]);
      if (next < (taken == 1 ? low : 0x80) || next > (taken == 1 ? high : 0xBF)) break;
      c = (c << 6) | (next & 0x3F);
    }
    out += length != 0 && taken == length ? Cp1251Byte(c) : '?';
    i += taken;
  }
  return out;
}

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto unitAt = [&](size_t at) {
      const auto a = static_cast<uint8_t>(bytes[at]), b = static_cast<uint8_t>(bytes[at + 1]);
      return static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    const char16_t unit = unitAt(i);
    // A pair of surrogates is a character beyond the basic plane, never in code page 1251.
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size() && unitAt(i + 2) >= 0xDC00 &&
        unitAt(i + 2) <= 0xDFFF)
      i += 2;
    out += Cp1251Byte(unit);
  }
  if (bytes.size() % 2 != 0) out += '?';  // half a character at the end
  return out;
}

}  // namespace

std::optional<std::string> UnicodeFileAsCp1251(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return FromUtf8Bytes(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), true);
  return std::nullopt;
}

std::string FileTextAsCp1251(std::string bytes) {
  return UnicodeFileAsCp1251(bytes).value_or(std::move(bytes));
}

std::string Utf8AsCp1251(std::string_view utf8) { return FromUtf8Bytes(utf8); }

bool StartsWithIgnoringCaseCp1251(std::string_view text, std::string_view start) {
  if (start.size() > text.size()) return false;
  for (size_t i = 0; i < start.size(); ++i)
    if (LowerCp1251(static_cast<unsigned char>(text[i])) !=
        LowerCp1251(static_cast<unsigned char>(start[i])))
      return false;
  return true;
}

bool EqualIgnoringCaseCp1251(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithIgnoringCaseCp1251(a, b);
}
