#include "storage/IniIndex.h"

#include "core/TextEncodings.h"

namespace {

unsigned char Fold(char c) { return LowerCp1251(static_cast<unsigned char>(c)); }

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
