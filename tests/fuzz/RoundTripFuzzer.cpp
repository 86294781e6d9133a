// The save/load round trip: whatever loads without error is saved, loaded again into a second
// store and saved again. Both loads must give the same table, session and rows, and both saves
// the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fuzz/FuzzData.h"

namespace {

void CheckSameTable(const Store& first, const Store& second) {
  FuzzCheck(StoredFields(first.settings) == StoredFields(second.settings),
            "the session's stored fields changed across save and load");
  FuzzCheck(first.tasks.size() == second.tasks.size(), "the number of tasks changed");
  for (size_t n = 0; n < first.tasks.size(); ++n)
    FuzzCheck(StoredFields(first.tasks[n]) == StoredFields(second.tasks[n]),
              "a task's stored fields changed across save and load");
  FuzzCheck(first.rows.Count() == second.rows.Count(), "the number of rows changed");
  for (int row = 0; row < first.rows.Count(); ++row)
    FuzzCheck(first.rows.At(row) == second.rows.At(row), "a row's texts changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (TaskCountTooCostly(bytes)) return -1;  // not kept in the corpus

  FuzzStore first;
  first.PutFile(std::move(bytes));
  if (first.Load()) return 0;  // a damaged file is never saved
  FuzzCheck(!first.Save(), "saving a loaded table failed");
  const std::string saved = first.FileBytes();

  FuzzStore second;
  second.PutFile(saved);
  FuzzCheck(!second.Load(), "what was saved does not load");
  CheckSameTable(first.store, second.store);

  FuzzCheck(!second.Save(), "saving the reloaded table failed");
  FuzzCheck(second.FileBytes() == saved, "the second save differs from the first");
  return 0;
}
