#include "storage/ValueWriter.h"

#include <algorithm>
#include <cassert>
#include <charconv>

namespace {

constexpr char kLineBreakMark = '\x01';

bool NeedsQuotes(std::string_view text) {
  if (text.empty()) return false;
  const auto trimmedOrUnquoted = [](char c) {
    return c == ' ' || c == '\t' || c == '"' || c == '\'';
  };
  return trimmedOrUnquoted(text.front()) || trimmedOrUnquoted(text.back());
}

// Composes "key=digits\r\n" on the stack and appends it as one piece.
void AppendNumberLine(std::string& out, std::string_view key, int64_t value) {
  char line[64];
  char* p = line;
  assert(key.size() <= 32);  // key names are short constants
  p = std::copy(key.begin(), key.end(), p);
  *p++ = '=';
  p = std::to_chars(p, line + sizeof line - 2, value).ptr;
  *p++ = '\r';
  *p++ = '\n';
  out.append(std::string_view(line, static_cast<size_t>(p - line)));
}

void AppendKey(std::string& out, std::string_view key, bool quoted) {
  out.append(key);
  out.append(quoted ? "=\"" : "=");
}

void AppendLineEnd(std::string& out, bool quoted) { out.append(quoted ? "\"\r\n" : "\r\n"); }

}  // namespace

void AppendSectionLine(std::string& out, std::string_view name, int32_t n) {
  char line[64];
  char* p = line;
  assert(name.size() <= 32);  // section names are short constants
  *p++ = '[';
  p = std::copy(name.begin(), name.end(), p);
  if (n >= 0) p = std::to_chars(p, line + sizeof line - 3, n).ptr;
  *p++ = ']';
  *p++ = '\r';
  *p++ = '\n';
  out.append(std::string_view(line, static_cast<size_t>(p - line)));
}

void AppendIntLine(std::string& out, std::string_view key, int32_t value) {
  AppendNumberLine(out, key, value);
}

void AppendFlagLine(std::string& out, std::string_view key, bool flag) {
  AppendNumberLine(out, key, flag ? 1 : 0);
}

void AppendTextLine(std::string& out, std::string_view key, std::string_view text) {
  const bool quoted = NeedsQuotes(text);
  AppendKey(out, key, quoted);
  out.append(text);
  AppendLineEnd(out, quoted);
}

void AppendMessageLine(std::string& out, std::string_view key, std::string_view message) {
  // CR and LF are not among the bytes that need quotes, and their mark 0x01 is not either,
  // so the decision can be made on the message as it is.
  const bool quoted = NeedsQuotes(message);
  AppendKey(out, key, quoted);
  size_t runStart = 0;
  for (size_t i = 0; i < message.size(); ++i) {
    const char c = message[i];
    if (c != '\r' && c != '\n') continue;
    out.append(message.substr(runStart, i - runStart));
    out.push_back(kLineBreakMark);
    if (c == '\r' && i + 1 < message.size() && message[i + 1] == '\n') ++i;
    runStart = i + 1;
  }
  out.append(message.substr(runStart));
  AppendLineEnd(out, quoted);
}
