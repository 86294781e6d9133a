#include "core/DeleteTask.h"

#include <string>

#include "core/Texts.h"

bool DeleteTask(Store& store, StoreLock& lock, Platform& platform, int index, bool silent) {
  if (index < 0 || index >= static_cast<int>(store.tasks.size())) return false;
  if (!silent) {
    const uint64_t id = store.tasks[static_cast<size_t>(index)].id;
    const std::string question =
        kDeleteQuestionStart + std::to_string(index + 1) + kDeleteQuestionEnd;
    lock.unlock();
    const bool yes = platform.AskYesNo(question, kDeleteQuestionCaption);
    lock.lock();
    if (!yes) return false;
    index = store.IndexOf(id);
    if (index < 0) return false;  // already deleted by its own firing
  }
  store.rows.DeleteRow(index);
  store.tasks.erase(store.tasks.begin() + index);
  platform.RowsChanged();
  return true;
}
