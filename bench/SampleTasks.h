// Realistic task records for the benchmarks: mixed recurrences, moments, actions and statuses, with
// messages of about forty cp1251 bytes, some on two lines.
#pragma once

#include "core/Store.h"

// Task `i` of a sample table; the same `i` always gives the same task.
Task MakeTask(int i);

// Puts `count` sample tasks and plausible window settings into the store (no rows).
void FillStore(Store& store, int count);
