#include "storage/IniIndex.h"

#include "core/TextEncodings.h"
#include "storage/IniLines.h"

namespace {

unsigned char Fold(char c) { return LowerCp1251(static_cast<unsigned char>(c)); }

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
  ForEachIniLine(text, [&](const IniLine& line) { AddLine(line, current); });
}

void IniIndex::AddLine(const IniLine& line, Section*& current) {
  if (line.isSection) {
    const uint32_t next = static_cast<uint32_t>(keys_.size());
    auto [it, inserted] = sections_.try_emplace(line.name, Section{next, next});
    current = inserted ? &it->second : nullptr;
    return;
  }
  if (!current) return;
  keys_.push_back(Key{line.name, line.value, line.hasValue});
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
    return Unquoted(candidate.value);
  }
  return std::nullopt;
}
