#include "checker/MissedReminders.h"

#include <algorithm>

#include "checker/Firing.h"
#include "core/RowTexts.h"
#include "core/Schedule.h"

namespace {

struct Moments {
  int32_t count = 0;
  LocalMoment last, beforeLast;
};

// The moments in (from, to] at which a pass running all along would have fired `task`, starting
// from its state `task` at `from`. `fromIsInside`: a moment caught up at `from` itself is one
// (the task's own state at the moment last seen); otherwise it lies before the window.
Moments FiringsBetween(Task task, const LocalMoment& from, const LocalMoment& to,
                       bool fromIsInside) {
  Moments moments;
  SystemTime at = SystemTimeOf(from);
  for (;;) {
    const auto next = NextFiring(task, at);
    if (!next || to < *next) break;
    if (fromIsInside || *next != from) {
      ++moments.count;
      moments.beforeLast = moments.last;
      moments.last = *next;
    }
    fromIsInside = false;
    at = SystemTimeOf(*next);
    RecordFiring(task, at);
  }
  return moments;
}

// `days` before `moment`; further back than a million days (which no minute count holds) is
// the beginning of time.
LocalMoment DaysBefore(const LocalMoment& moment, int64_t days) {
  if (days > 1'000'000) return LocalMoment{};
  return AddMinutes(moment, static_cast<int32_t>(-days * 1440));
}

}  // namespace

std::vector<MissedReminder> FindMissed(const Store& store, const LocalMoment& seen,
                                       const SystemTime& now, const SystemTime* runningSince) {
  std::vector<MissedReminder> rows;
  const LocalMoment until = MomentOf(now);
  if (!(seen < until)) return rows;
  for (const Task& task : store.tasks) {
    if (!task.armed) continue;  // being edited: it counts only the moments after its OK
    const auto first = NextFiring(task, SystemTimeOf(seen));
    if (!first || until < *first) continue;
    // The first pass now fires the task: the latest moment is made up. A shutdown caught up
    // after its moment only records the run.
    const bool madeUp =
        NextFiring(task, now) == until && (!task.shutDown || ShutsDownNow(task, now, runningSince));
    // The last year first; a task that missed nothing there but did before (one that fires once
    // a year or once) is looked at over twice as long, and so on back to `seen`.
    for (int64_t days = kMissedDaysCounted;; days *= 2) {
      const LocalMoment windowStart = std::max(seen, DaysBefore(until, days));
      const bool more = seen < windowStart && !(windowStart < *first);
      Task state = task;
      if (seen < windowStart) state.status = StatusActive;  // in step with its periods by now
      const Moments moments = FiringsBetween(state, windowStart, until, !(seen < windowStart));
      const int32_t missed = moments.count - (madeUp && moments.count > 0 ? 1 : 0);
      if (missed > 0 || !(seen < windowStart)) {
        if (missed > 0)
          rows.push_back({madeUp ? moments.beforeLast : moments.last, missed, more,
                          std::string(FirstLine(task.message)), ActionText(task)});
        break;
      }
    }
  }
  return rows;
}
