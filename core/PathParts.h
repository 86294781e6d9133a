// The folder and the name of a full path. Backslash, slash and the drive's colon all end a
// folder, so the parts come out the same whichever separator a path was written with.
#pragma once

#include <string>
#include <string_view>

// Everything up to and including the last separator ("C:\Docs\" of "C:\Docs\a.txt"); empty
// when there is none. NamePart is the rest ("a.txt").
template <typename Char>
std::basic_string<Char> FolderPart(std::basic_string_view<Char> path) {
  constexpr Char kSeparators[] = {Char('\\'), Char('/'), Char(':'), Char(0)};
  return std::basic_string<Char>(path.substr(0, path.find_last_of(kSeparators) + 1));
}
template <typename Char>
std::basic_string<Char> NamePart(std::basic_string_view<Char> path) {
  return std::basic_string<Char>(path.substr(FolderPart(path).size()));
}

inline std::string FolderPart(std::string_view path) { return FolderPart<char>(path); }
inline std::string NamePart(std::string_view path) { return NamePart<char>(path); }
inline std::wstring FolderPart(std::wstring_view path) { return FolderPart<wchar_t>(path); }
inline std::wstring NamePart(std::wstring_view path) { return NamePart<wchar_t>(path); }
