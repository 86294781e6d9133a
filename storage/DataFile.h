// Data.ini: composing and writing it whole (SaveData), reading it (LoadData).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

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
// then only partly read and must never be saved.
std::optional<std::string> LoadData(Store& store, Platform& platform,
                                    const std::function<void()>& applySettings,
                                    const std::string& startFrom = {});
