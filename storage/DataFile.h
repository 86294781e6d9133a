// Data.ini: composing and writing it whole (SaveData), reading it (LoadData).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Platform.h"
#include "core/Store.h"

// Composes the whole file into store.outBuffer and replaces store.dataPath with it atomically.
// The caller holds the store's lock. Returns the error text (without the full stop the error
// box adds) when the file could not be written; the old file is then unchanged.
std::optional<std::string> SaveData(Store& store, Platform& platform);

// The two halves of SaveData, for the checker, which writes with the lock released. Composing
// (the caller holds the store's lock) returns the save's number; writing takes only the store's
// file lock, and skips a composition older than the one already written.
uint64_t ComposeDataFile(Store& store, Platform& platform, std::string& out);
std::optional<std::string> WriteDataFile(Store& store, Platform& platform, uint64_t save,
                                         std::string_view bytes);

// Reads store.dataPath (or `startFrom`, a file that the saves never write, when given) into
// settings and tasks: reads the settings, calls `applySettings`, then reads every task (a missing
// date is today's) and makes it live: its row added, armed. Returns the error text of a value
// that is not a whole number or a task count out of range, naming the file read; the table is
// then only partly read and must never be saved. ReadDataFile and TakeDataFile in one.
std::optional<std::string> LoadData(Store& store, Platform& platform,
                                    const std::function<void()>& applySettings,
                                    const std::string& startFrom = {});

// Data.ini as one pass read it, none of it the program's yet.
struct DataFileContents {
  Settings settings;  // a value that is not a whole number leaves it and the later ones as given
  std::optional<LocalMoment> seen;
  std::vector<Task> tasks;
  std::vector<SnoozedReminder> snoozed;
  bool settingsValid = false;  // the settings hold only whole numbers: they apply
  bool tasksRead = false;      // `tasks` holds the tasks, up to the first that could not be read
  std::optional<std::string> error;
};

// The first half of LoadData, on any thread: touches nothing of the program's, so the windows
// can be made meanwhile. `settings` and `seen` are what a bad value leaves in place.
DataFileContents ReadDataFile(Platform& platform, const std::string& source, Settings settings,
                              std::optional<LocalMoment> seen);

// The second half, on the window's thread: the settings become the store's and are applied
// (`applySettings`) when they were read, then the tasks are made live. Returns the read's error.
std::optional<std::string> TakeDataFile(Store& store, DataFileContents contents,
                                        const std::function<void()>& applySettings);
