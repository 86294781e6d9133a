// The parts of a full file name that the editor shows and remembers.
#pragma once

#include <string>
#include <string_view>

// Everything up to and including the last folder separator ("C:\Docs\" of "C:\Docs\a.txt").
inline std::string FolderPart(std::string_view path) {
  const size_t end = path.find_last_of("\\/:");
  return end == std::string_view::npos ? std::string() : std::string(path.substr(0, end + 1));
}

// The name without its folder ("a.txt" of "C:\Docs\a.txt").
inline std::string NamePart(std::string_view path) {
  const size_t end = path.find_last_of("\\/:");
  return std::string(end == std::string_view::npos ? path : path.substr(end + 1));
}
