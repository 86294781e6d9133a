// The tasks' sections of Data.ini as the one pass over the file meets them, and the values of
// their keys.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Task.h"
#include "storage/DataFileKeys.h"
#include "storage/IniLines.h"

// Set exactly when the value's first character is "1".
bool FlagValue(std::string_view value);

// A message: each byte 0x01 stands for a line break, CR LF.
void AssignMessage(std::string_view value, std::string& field);

// Each value set on its field as its key is read, the first key of each name counting. A task's
// missing date is today's, its missing last run today at 09:00:00.
class TaskTable {
 public:
  TaskTable(int32_t count, const SystemTime& today)
      : tasks_(static_cast<size_t>(count)), keysSeen_(static_cast<size_t>(count)), today_(today) {}

  // The task whose section this is, or null when an earlier section had its number.
  Task* Enter(int64_t n);
  void Add(int64_t n, Task& task, const IniLine& line);

  // After the whole file: the tasks in order up to the first whose section is missing or holds
  // a value that is not a whole number, and that one's error text.
  std::vector<Task> Finish(std::string_view source, std::optional<std::string>& error);

 private:
  static constexpr uint64_t kSectionSeen = uint64_t{1} << 63;

  // Of all the values that are not whole numbers, the one an older version, reading task after
  // task and key after key, would meet first.
  void NoteError(int64_t n, Key key, std::string_view value);

  std::vector<Task> tasks_;
  std::vector<uint64_t> keysSeen_;  // per task: the keys met, and whether its section was
  SystemTime today_;
  int64_t errorTask_ = -1;
  Key errorKey_ = KeyUnknown;
  std::string_view errorValue_;
};
