// The lines of an INI text as the system's private-profile reader sees them, in one pass:
// - lines end at CR or LF; blanks and tabs at both ends of a line, around a key's name and
//   before its value are dropped; empty lines are skipped;
// - a line that begins with "[" and holds a "]" starts a section named by the text between
//   the "[" and the last "]" (trimmed); a "[" line without "]" is an ordinary line;
// - any other line is a key: its name up to the first "=", its value after it; a line without
//   "=" is a key without a value.
// What counts (the first section or key of a name, letter case) is the caller's to decide.
#pragma once

#include <string_view>

struct IniLine {
  bool isSection = false;
  std::string_view name;   // the section's or the key's
  std::string_view value;  // as written, still quoted: see Unquoted
  bool hasValue = false;
  const char* start = nullptr;  // where the line begins in the text
};

namespace ini_text {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

inline std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

inline std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

inline std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

}  // namespace ini_text

// A value that begins and ends with the same quotation mark (' or ") loses the two marks.
inline std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// Calls `visit(const IniLine&)` for every section line and key line of `text`, in order.
template <typename Visit>
void ForEachIniLine(std::string_view text, Visit&& visit) {
  using namespace ini_text;
  const char* p = text.data();
  const char* const end = p + text.size();
  IniLine line;
  while (p < end) {
    const char* const lineStart = p;
    // Every byte above CR goes on at one test; the few below it are looked at again.
    while (p < end && (static_cast<unsigned char>(*p) > '\r' || (*p != '\r' && *p != '\n'))) ++p;
    const std::string_view whole =
        Trim(std::string_view(lineStart, static_cast<size_t>(p - lineStart)));
    while (p < end && (*p == '\r' || *p == '\n')) ++p;
    if (whole.empty()) continue;
    line.start = lineStart;
    if (whole.front() == '[') {
      const size_t close = whole.rfind(']');
      if (close != std::string_view::npos) {
        line.isSection = true;
        line.name = Trim(whole.substr(1, close - 1));
        line.value = {};
        line.hasValue = false;
        visit(line);
        continue;
      }
    }
    line.isSection = false;
    const size_t equals = whole.find('=');
    if (equals == std::string_view::npos) {
      line.name = whole;
      line.value = {};
      line.hasValue = false;
    } else {
      line.name = TrimRight(whole.substr(0, equals));
      line.value = TrimLeft(whole.substr(equals + 1));
      line.hasValue = true;
    }
    visit(line);
  }
}
