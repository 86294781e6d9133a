// LoadData on arbitrary bytes as Data.ini: no crash, leak or undefined behaviour, and whatever
// the load ends with, one list row per task.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fuzz/FuzzData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (TaskCountTooCostly(bytes)) return -1;  // not kept in the corpus

  FuzzStore fuzz;
  fuzz.PutFile(std::move(bytes));
  const auto error = fuzz.Load();
  FuzzCheck(fuzz.RowsMatchTasks(), "rows and tasks differ in number after a load");
  if (!error) {
    FuzzCheck(static_cast<size_t>(fuzz.store.settings.taskCount) == fuzz.store.tasks.size(),
              "TasksN differs from the number of tasks loaded");
    for (const Task& task : fuzz.store.tasks)
      FuzzCheck(task.armed == 1, "a loaded task is not armed");
  } else {
    FuzzCheck(!error->empty(), "a load failed with an empty error text");
  }
  return 0;
}
