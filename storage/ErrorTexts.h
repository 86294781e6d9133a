// The texts of the failures that loading and saving Data.ini report. The error box adds the
// full stop.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view kRangeCheckError = "Range check error";
inline constexpr std::string_view kStreamWriteError = "Stream write error";

inline std::string CannotOpenFileText(std::string_view path) {
  std::string text = "Cannot open file ";
  text += path;
  return text;
}

inline std::string CannotCreateFileText(std::string_view path) {
  std::string text = "Cannot create file ";
  text += path;
  return text;
}

inline std::string TaskBeyondCountText(std::string_view path, int64_t section, int32_t count) {
  return "File " + std::string(path) + " holds [TASK" + std::to_string(section) +
         "] beyond its task count TasksN=" + std::to_string(count);
}
