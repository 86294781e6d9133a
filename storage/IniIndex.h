// An index of the sections and keys of an INI text, built in one pass over its lines (see
// IniLines.h), that answers look-ups the way the system's private-profile reader does:
// - section and key names are compared without regard to letter case (ASCII and Cyrillic);
//   the first section of a name counts, and a later one of the same name is ignored whole;
//   the first key of a name in it counts;
// - a line without "=" is a key without a value: looking it up gives the default;
// - a value that begins and ends with the same quotation mark (' or ") loses the two marks;
// - there are no comments and no length limit.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/IniLines.h"

class IniIndex {
 public:
  struct Section {
    uint32_t firstKey = 0;
    uint32_t endKey = 0;
  };

  // Keeps views into `text`, which must outlive the index.
  explicit IniIndex(std::string_view text);

  // The first section of that name, or null when there is none.
  const Section* FindSection(std::string_view name) const;

  // Calls `visit` with the name of every section, in no particular order.
  template <typename Visit>
  void ForEachSectionName(Visit&& visit) const {
    for (const auto& section : sections_) visit(section.first);
  }

  // The value of the first key of that name in the section, trimmed and unquoted; nullopt when
  // the section is null, the key is missing or its line has no "=".
  std::optional<std::string_view> Find(const Section* section, std::string_view key) const;

 private:
  struct Key {
    std::string_view name;
    std::string_view value;
    bool hasValue = false;
  };

  struct FoldedHash {
    size_t operator()(std::string_view name) const;
  };
  struct FoldedEqual {
    bool operator()(std::string_view a, std::string_view b) const;
  };

  void AddLine(const IniLine& line, Section*& current);

  std::vector<Key> keys_;  // keys of the first section of each name, section after section
  std::unordered_map<std::string_view, Section, FoldedHash, FoldedEqual> sections_;
};
