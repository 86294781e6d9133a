// Text that comes in another encoding than the program's code page 1251.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The text of a file as code page 1251: a file that begins with a byte-order mark (UTF-8,
// UTF-16 little- or big-endian, as Notepad saves) is decoded, and each character that code page
// 1251 lacks, or a byte sequence that is not valid, becomes "?". Any other file is taken as it is.
std::string FileTextAsCp1251(std::string bytes);
// The same for bytes read in place: the decoded text of a file with a byte-order mark, nothing
// for any other file (whose bytes are its text).
std::optional<std::string> UnicodeFileAsCp1251(std::string_view bytes);

// Lower case of each cp1251 byte: A..Z, А..Я and the capitals above 0x7F that have a small
// letter in the code page (Ђ, Ѓ, Љ, Њ, Ќ, Ћ, Џ, Ў, Ј, Ґ, Ё, Є, Ї, І, Ѕ).
constexpr std::array<unsigned char, 256> MakeLowerCaseTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + 32);
  for (int c = 0xC0; c <= 0xDF; ++c) table[c] = static_cast<unsigned char>(c + 32);
  constexpr unsigned char pairs[][2] = {{0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C},
                                        {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2},
                                        {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
                                        {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
  for (const auto& pair : pairs) table[pair[0]] = pair[1];
  return table;
}

inline constexpr std::array<unsigned char, 256> kLowerCaseCp1251 = MakeLowerCaseTable();

// Letters compared without regard to case, in code page 1251 (Latin, Cyrillic, "Ё" and the
// Ukrainian, Belarusian, Serbian and Macedonian letters). Inline: the reader folds every byte of
// every name it looks up.
inline unsigned char LowerCp1251(unsigned char c) { return kLowerCaseCp1251[c]; }
bool StartsWithIgnoringCaseCp1251(std::string_view text, std::string_view start);
bool EqualIgnoringCaseCp1251(std::string_view a, std::string_view b);

// UTF-8 text (such as a path, which the program keeps in UTF-8) as code page 1251 for a
// message; characters the code page lacks become "?".
std::string Utf8AsCp1251(std::string_view utf8);
