// A recording stand-in for the system: settable clock and work area, scripted answers to
// question boxes, an in-memory file system whose operations can be made to fail.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "core/CheckerPlatform.h"

class MemoryFiles : public FileOps {
 public:
  struct Entry {
    std::string bytes;
    bool readOnly = false;
  };
  std::map<std::string, Entry> files;
  // Folders with their final backslash: made ones, and those where nothing can be created.
  std::set<std::string> folders, readOnlyFolders;

  // Fault injection.
  bool failCreate = false;
  bool failReplace = false;
  bool failFlush = false;
  size_t writeLimit = SIZE_MAX;  // total bytes the "disk" accepts per file before it is full

  std::vector<std::string> log;  // "create P", "write P N", "flush P", "replace A B", "remove P"

  std::optional<std::string> ReadAll(const std::string& path) override;
  bool Exists(const std::string& path) override { return files.count(path) > 0; }
  bool failRead = false;  // the file exists but cannot be read (held open by another program)
  bool IsReadOnly(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
};

class FakePlatform : public CheckerPlatform {
 public:
  SystemTime now{2024, 3, 14, 10, 0, 0, 0, 4};  // Thursday 14 March 2024, 10:00:00
  WorkAreaRect workArea{0, 0, 1024, 738};
  bool answerYes = true;
  // Called while a Yes/No box is "open", before it is answered (the user thinking).
  std::function<void()> onQuestion;
  MemoryFiles files;

  std::vector<std::string> questions;  // "caption|text" of every Yes/No box
  std::vector<std::string> errors;     // texts of every error box
  std::atomic<int> rowsChanged{0};

  // Everything the checker and firing asked of the system, in order:
  // "beep F MS", "open FILE|FOLDER", "reminder MOMENT|TEXT", "sound REMINDER FILE[|repeat]",
  // "shutdown", "error TEXT".
  std::vector<std::string> actions;
  // The sound flag, the sound choice and the number of each "reminder", in order.
  std::vector<bool> reminderSounds;
  std::vector<SoundChoice> reminderChoices;
  std::vector<uint64_t> reminderNumbers;
  std::atomic<int> ticks{0};
  bool woken = false;
  // Called at every tick; a test advances the clock or stops the checker here.
  std::function<void()> onTick;
  // Called during each tone of the melody and each file start.
  std::function<void()> onEffect;

  SystemTime LocalTime() override;
  void WaitTick() override;
  void WakeTick() override { woken = true; }
  void Beep(uint32_t frequency, uint32_t milliseconds) override;
  void OpenFile(const std::string& fileName, const std::string& folder) override;
  void PostReminder(const std::string& momentText, const std::string& message, bool sound,
                    const SoundChoice& soundChoice, uint64_t reminder) override;
  void StartSound(uint64_t reminder, const SoundChoice& choice) override;
  void ShutDownComputer() override;
  // Records "missed N" (the rows) and keeps them in `missedLists`.
  void PostMissed(std::vector<MissedReminder> missed) override;
  std::vector<std::vector<MissedReminder>> missedLists;
  void ReportError(const std::string& text) override;

  std::mutex clockMutex;  // the clock may be set by a test thread while the checker reads it
  WorkAreaRect WorkArea() override { return workArea; }
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  void ShowError(const std::string& text) override { errors.push_back(text); }
  FileOps& Files() override { return files; }
  void RowsChanged() override { ++rowsChanged; }
};
