#include "storage/IniIndex.h"

#include <array>

namespace {

// Lower case of a cp1251 byte: ASCII letters, А..Я, Ё and the other Cyrillic capitals of the
// code page.
constexpr std::array<unsigned char, 256> MakeFoldTable() {
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

constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

unsigned char Fold(char c) { return kFold[static_cast<unsigned char>(c)]; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

size_t IniIndex::FoldedHash::operator()(std::string_view name) const {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (char c : name) hash = (hash ^ Fold(c)) * 1099511628211ull;
  return static_cast<size_t>(hash);
}

bool IniIndex::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

IniIndex::IniIndex(std::string_view text) {
  Section* current = nullptr;  // null before the first section and inside a repeated one
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const char* lineStart = p;
    while (p < end && *p != '\r' && *p != '\n') ++p;
    const std::string_view line(lineStart, static_cast<size_t>(p - lineStart));
    while (p < end && (*p == '\r' || *p == '\n')) ++p;
    AddLine(Trim(line), current);
  }
}

void IniIndex::AddLine(std::string_view line, Section*& current) {
  if (line.empty()) return;
  if (line.front() == '[') {
    const size_t close = line.rfind(']');
    if (close != std::string_view::npos) {
      const std::string_view name = Trim(line.substr(1, close - 1));
      const uint32_t next = static_cast<uint32_t>(keys_.size());
      auto [it, inserted] = sections_.try_emplace(name, Section{next, next});
      current = inserted ? &it->second : nullptr;
      return;
    }
  }
  if (!current) return;
  Key key;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    key.name = line;
  } else {
    key.name = TrimRight(line.substr(0, equals));
    key.value = TrimLeft(line.substr(equals + 1));
    key.hasValue = true;
  }
  keys_.push_back(key);
  current->endKey = static_cast<uint32_t>(keys_.size());
}

const IniIndex::Section* IniIndex::FindSection(std::string_view name) const {
  const auto it = sections_.find(name);
  return it == sections_.end() ? nullptr : &it->second;
}

std::optional<std::string_view> IniIndex::Find(const Section* section, std::string_view key) const {
  if (!section) return std::nullopt;
  const FoldedEqual equal;
  for (uint32_t i = section->firstKey; i < section->endKey; ++i) {
    const Key& candidate = keys_[i];
    if (!equal(candidate.name, key)) continue;
    if (!candidate.hasValue) return std::nullopt;
    return StripQuotes(candidate.value);
  }
  return std::nullopt;
}
