// The texts of the failures that loading and saving Data.ini report. The error box adds the
// full stop. Paths come in UTF-8 and are named in the texts' code page 1251.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/TextEncodings.h"

inline constexpr std::string_view kRangeCheckError = "Range check error";
inline constexpr std::string_view kStreamWriteError = "Stream write error";

inline std::string CannotOpenFileText(std::string_view path) {
  std::string text = "Cannot open file ";
  text += Utf8AsCp1251(path);
  return text;
}

inline std::string CannotCreateFileText(std::string_view path) {
  std::string text = "Cannot create file ";
  text += Utf8AsCp1251(path);
  return text;
}

inline std::string TaskBeyondCountText(std::string_view path, int64_t section, int32_t count) {
  return "File " + Utf8AsCp1251(path) + " holds [TASK" + std::to_string(section) +
         "] beyond its task count TasksN=" + std::to_string(count);
}
