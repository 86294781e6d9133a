// A recording stand-in for the system: settable clock and work area, scripted answers to
// question boxes, an in-memory file system whose operations can be made to fail.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/Platform.h"

class MemoryFiles : public FileOps {
 public:
  struct Entry {
    std::string bytes;
    bool readOnly = false;
  };
  std::map<std::string, Entry> files;

  // Fault injection.
  bool failCreate = false;
  bool failReplace = false;
  bool failFlush = false;
  size_t writeLimit = SIZE_MAX;  // total bytes the "disk" accepts per file before it is full

  std::vector<std::string> log;  // "create P", "write P N", "flush P", "replace A B", "remove P"

  std::optional<std::string> ReadAll(const std::string& path) override;
  bool IsReadOnly(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
};

class FakePlatform : public Platform {
 public:
  SystemTime now{2024, 3, 4, 14, 10, 0, 0, 0};  // Thursday 14 March 2024, 10:00:00
  WorkAreaRect workArea{0, 0, 1024, 738};
  bool answerYes = true;
  MemoryFiles files;

  std::vector<std::string> questions;  // "caption|text" of every Yes/No box
  std::vector<std::string> errors;     // texts of every error box
  int rowsChanged = 0;

  SystemTime LocalTime() override { return now; }
  WorkAreaRect WorkArea() override { return workArea; }
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  void ShowError(const std::string& text) override { errors.push_back(text); }
  FileOps& Files() override { return files; }
  void RowsChanged() override { ++rowsChanged; }
};
