// What the program missed while it was not running or the computer slept: for each task, the
// moments between the last moment the program is known to have run and now at which a pass
// would have fired it, less the one that the first pass now makes up (its period still runs).
#pragma once

#include <cstdint>
#include <vector>

#include "core/MissedReminder.h"
#include "core/Store.h"

// Moments further back than this are counted as "more" rather than one by one (a year, and the
// day a leap year adds: the current year's moment always falls within it).
inline constexpr int32_t kMissedDaysCounted = 366;

// One row per armed task that missed a moment in (seen, now], in table order. Paused tasks and
// tasks done for good miss nothing. The moment a pass at `now` fires is made up, except for a
// shutdown caught up after its moment, which does nothing (`runningSince`: see ShutsDownNow).
// The caller holds the store's lock.
std::vector<MissedReminder> FindMissed(const Store& store, const LocalMoment& seen,
                                       const SystemTime& now, const SystemTime* runningSince);
