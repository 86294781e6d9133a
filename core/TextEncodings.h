// Text that comes in another encoding than the program's code page 1251.
#pragma once

#include <string>
#include <string_view>

// The text of a file as code page 1251: a file that begins with a byte-order mark (UTF-8,
// UTF-16 little- or big-endian, as Notepad saves) is decoded, and each character that code page
// 1251 lacks, or a byte sequence that is not valid, becomes "?". Any other file is taken as it is.
std::string FileTextAsCp1251(std::string bytes);

// Letters compared without regard to case, in code page 1251 (Latin, Cyrillic, "Ё" and the
// Ukrainian, Belarusian, Serbian and Macedonian letters).
unsigned char LowerCp1251(unsigned char c);
bool StartsWithIgnoringCaseCp1251(std::string_view text, std::string_view start);
bool EqualIgnoringCaseCp1251(std::string_view a, std::string_view b);

// UTF-8 text (such as a path, which the program keeps in UTF-8) as code page 1251 for a
// message; characters the code page lacks become "?".
std::string Utf8AsCp1251(std::string_view utf8);
