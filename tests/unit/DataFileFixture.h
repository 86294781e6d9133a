// A store and a fake platform around Data.ini, for the storage tests.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>

#include "storage/DataFile.h"
#include "tests/support/FakePlatform.h"

inline const std::string kDataPath = "C:\\Vornakel\\Data.ini";

// Lines joined as the program writes them, each ended by CR LF.
inline std::string IniLines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// Every field of a task that Data.ini stores, plus the ones derived from it.
inline auto StoredFields(const Task& t) {
  return std::make_tuple(t.recurrence, t.secondOfDay, t.hour, t.minute, t.second, t.year, t.month,
                         t.day, t.message, int{t.deleteAfter}, int{t.showMessage}, int{t.runFile},
                         int{t.shutDown}, int{t.beep}, t.fileName, t.status, t.lastRun.year,
                         t.lastRun.month, t.lastRun.day, t.lastRun.hour, t.lastRun.minute,
                         t.lastRun.second, t.doneThisPeriod, t.soundChoice.file,
                         int{t.soundChoice.repeat}, int{t.wake});
}

class DataFileFixture : public testing::Test {
 protected:
  DataFileFixture() { store.dataPath = kDataPath; }

  void PutFile(const std::string& bytes) { platform.files.files[kDataPath].bytes = bytes; }
  const std::string& FileBytes() { return platform.files.files[kDataPath].bytes; }

  std::optional<std::string> Load() {
    return LoadData(store, platform, [this] { ++settingsApplied; });
  }
  std::optional<std::string> Load(const std::string& bytes) {
    PutFile(bytes);
    return Load();
  }

  // Loads what the store would save, into a second store.
  void SaveAndReload(Store& into) {
    ASSERT_EQ(SaveData(store, platform), std::nullopt);
    into.dataPath = kDataPath;
    ASSERT_EQ(LoadData(into, platform, [] {}), std::nullopt);
  }

  // Only Data.ini and nothing beside it (no temporary file left behind).
  bool OnlyDataFileExists() const {
    return platform.files.files.size() == 1 && platform.files.files.count(kDataPath) == 1;
  }

  FakePlatform platform;
  Store store;
  int settingsApplied = 0;
};
