// The one object that owns what the checker and the windows share: the task table, the settings,
// the list's row model and the output buffer, with the one mutex that guards them all. The
// checker holds the lock for its pass and releases it for blocking work (the melody, starting a
// file, writing the file); a user command holds it for each step that reads or changes the table,
// never while a box or dialog is open.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/RowModel.h"
#include "core/Snooze.h"
#include "core/Task.h"

// The main window's geometry and column widths as last seen by the user-interface thread,
// so that a save on any thread can store them without touching the window.
struct WindowState {
  bool maximised = false;
  int32_t x = 0, y = 0, width = 0, height = 0;
  std::array<int32_t, 5> columnWidths{};
  bool known = false;  // false until the window exists; saving then keeps the settings' values
};

class Store {
 public:
  std::vector<Task> tasks;
  std::vector<SnoozedReminder> snoozed;  // in the order they fall due
  Settings settings;
  RowModel rows{tasks};
  std::string outBuffer;
  WindowState window;
  std::string dataPath;
  // The last moment the program is known to have run (its checker's last pass), as Data.ini
  // keeps it; nothing for a file that has none and before the first pass.
  std::optional<LocalMoment> seen;

  std::mutex mutex;

  // Writing Data.ini: a save is composed under `mutex` and may be written after it is released;
  // `fileMutex` orders the writes, and a composition older than the one on disk is not written.
  std::mutex fileMutex;
  uint64_t composedSaves = 0;  // under mutex
  uint64_t writtenSave = 0;    // under fileMutex

  uint64_t NewId() { return ++lastId_; }
  // Index of the task with this identity, or -1 when it is gone.
  int IndexOf(uint64_t id) const;

 private:
  uint64_t lastId_ = 0;
};

// Proof that the caller holds the store's lock; some operations release it for a while.
using StoreLock = std::unique_lock<std::mutex>;
