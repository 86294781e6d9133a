#include "core/Store.h"

int Store::IndexOf(uint64_t id) const {
  for (size_t i = 0; i < Tasks.size(); ++i)
    if (Tasks[i].id == id) return static_cast<int>(i);
  return -1;
}
