// The one conversion between the program's cp1251 texts and the UTF-16 of the wide API.
// Code page 1251 is named explicitly: the system's ANSI code page may be any other.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

std::wstring ToWide(std::string_view cp1251);

// Characters that code page 1251 lacks become "?", never a look-alike ("ü" is not folded to
// "u"); `lossless`, when given, tells whether every character could be represented.
std::string ToCp1251(std::wstring_view wide, bool* lossless = nullptr);

// Paths: the program keeps them in UTF-8, which holds any name exactly.
std::string ToUtf8(std::wstring_view wide);
std::wstring FromUtf8(std::string_view utf8);

// Converts into a caller's buffer of `capacity` wide characters (terminating zero included),
// cutting the text when it does not fit. Code page 1251 is single-byte and lies within the
// basic plane, so every byte becomes exactly one wide character. Returns the characters
// written before the terminating zero.
size_t ToWideInto(std::string_view cp1251, wchar_t* buffer, size_t capacity);
