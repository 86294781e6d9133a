// Data.ini in the in-memory files of a fake platform, loaded into a store, for the fuzz targets.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

#include "core/IntConversion.h"
#include "core/TextEncodings.h"
#include "storage/DataFile.h"
#include "storage/IniIndex.h"
#include "tests/support/FakePlatform.h"

inline const std::string kFuzzDataPath = "C:\\Vornakel\\Data.ini";

// The reader accepts up to a million tasks. A file of a few bytes that asks for that many costs
// hundreds of megabytes and seconds per run under the sanitizers, which only slows the search
// down; such counts are skipped here (counts the reader refuses still run).
constexpr int32_t kFuzzMaxTasks = 2000;

inline bool TaskCountTooCostly(std::string_view bytes) {
  // Read as the reader reads it: a file with a byte-order mark is decoded first.
  const std::string text = FileTextAsCp1251(std::string(bytes));
  const IniIndex index(text);
  const auto value = index.Find(index.FindSection("SETTINGS"), "TasksN");
  if (!value) return false;
  const auto count = StrToInt32(*value);
  return count && *count > kFuzzMaxTasks && *count <= 1'000'000;
}

// A finding: the abort makes libFuzzer keep the input as a crash artefact.
inline void FuzzCheck(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

// A store and the fake platform whose memory holds its Data.ini.
struct FuzzStore {
  FakePlatform platform;
  Store store;

  FuzzStore() { store.dataPath = kFuzzDataPath; }

  void PutFile(std::string bytes) { platform.files.files[kFuzzDataPath].bytes = std::move(bytes); }
  const std::string& FileBytes() { return platform.files.files[kFuzzDataPath].bytes; }
  std::optional<std::string> Load() { return LoadData(store, platform, {}); }
  std::optional<std::string> Save() { return SaveData(store, platform); }
  bool RowsMatchTasks() const {
    return static_cast<size_t>(store.rows.Count()) == store.tasks.size();
  }
};

// Every field of a task that Data.ini stores, and the time of day derived from Ssec.
inline auto StoredFields(const Task& t) {
  return std::make_tuple(t.recurrence, t.secondOfDay, t.hour, t.minute, t.second, t.year, t.month,
                         t.day, t.message, t.deleteAfter, t.showMessage, t.runFile, t.shutDown,
                         t.beep, t.fileName, t.status, t.lastRun.year, t.lastRun.month,
                         t.lastRun.day, t.lastRun.hour, t.lastRun.minute, t.lastRun.second,
                         t.doneThisPeriod, t.soundChoice);
}

// Every field of the session record that Data.ini stores.
inline auto StoredFields(const Settings& s) {
  return std::make_tuple(s.windowLeft, s.windowTop, s.windowWidth, s.windowHeight,
                         s.startWithWindows, s.useTray, s.maximised, s.startHidden,
                         s.columnWidths[0], s.columnWidths[1], s.columnWidths[2], s.columnWidths[3],
                         s.columnWidths[4], s.taskCount, s.lastFileFolder, s.lastSoundFolder);
}
