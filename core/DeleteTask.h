#pragma once

#include "core/Platform.h"
#include "core/Store.h"

// Removes task `index` from the table and its row from the list, renumbering the rows.
// Unless `silent`, asks "Удалить задание № N ?" first; the lock is released while the box is
// open and the task is found again by its identity afterwards (the checker may have moved or
// deleted it meanwhile). Does not save. Returns true when the task was removed.
bool DeleteTask(Store& store, StoreLock& lock, Platform& platform, int index, bool silent);
