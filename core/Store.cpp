#include "core/Store.h"

int Store::IndexOf(uint64_t id) const {
  for (size_t i = 0; i < tasks.size(); ++i)
    if (tasks[i].id == id) return static_cast<int>(i);
  return -1;
}
