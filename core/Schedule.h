// The two tests a pass applies to a task: is its moment reached within its period, and has
// the period of a done-for-today task moved on; what a firing records, and the state a task
// takes when the user saves it.
#pragma once

#include <optional>
#include <string>

#include "core/Snooze.h"
#include "core/Task.h"

class Store;

// Seconds since midnight of the pass time; milliseconds ignored.
int32_t SecondOfDay(const SystemTime& now);

// True from the task's moment until the end of its period (day, week day, month, year, ever).
bool IsDue(const Task& task, const SystemTime& now);

// Seconds on the wall clock from a fixed day long past, so that moments of different days
// compare (the day of the week and the milliseconds are not read).
int64_t WallSecond(const SystemTime& time);
int64_t WallSecond(const LocalMoment& moment);

// The span from `now` (to the second) in which a pass has nothing to do for the task as it
// stands: not due (or, done for its period, not to be made active again) until its next turn of
// the day (its time of day, its next slot, midnight), and not yet in the time of its warning.
// Empty when a pass at `now` acts on the task. A paused or finished task is quiet for ever.
QuietSpan QuietSpanFrom(const Task& task, const SystemTime& now);

// The pass's first test of a task, at `now` (WallSecond): true while it lies in the span the
// last pass left and the task keeps the status that span was found for. Any other moment, the
// clock set back included, makes the pass look at the task again.
inline bool IsQuiet(const Task& task, int64_t now) {
  return task.quiet.status == task.status &&
         static_cast<uint64_t>(now - task.quiet.from) <
             static_cast<uint64_t>(task.quiet.until - task.quiet.from);
}

// True when the task's moment falls on the date of `now`: any day for a daily task, its
// weekday, its day of the month, its day and month, or its date.
bool FallsOnDay(const Task& task, const SystemTime& now);

// True when a done-for-today task's last run lies outside the current day (daily and weekly),
// month (monthly) or year (yearly). One-time tasks never come back. Inequality only, so a clock
// moved backwards re-activates as readily as one moved forwards.
bool ShouldReactivate(const Task& task, const SystemTime& now);

// Records a firing at `now`: the last run, and the status that follows it (a one-time task
// done, any other done for its period until ShouldReactivate).
// A task with a RuleKind keeps the recurrence and day an older version would read in step.
void RecordFiring(Task& task, const SystemTime& now);

// The second of day of the task's moment that a pass at `now` fires: its time of day, or the
// latest slot of every N minutes or hours.
int32_t MomentSecondOfDay(const Task& task, const SystemTime& now);

// A task the user saves at `now` counts only the moments after it: when its moment in the current
// period has already come (IsDue), it is left as a firing at `now` would leave it, done for this
// period, and fires in the next. Nothing was missed, since the task did not exist (or had another
// moment) before. A one-time task keeps a past moment, which fires at once: the user chose it.
void SkipMomentBeforeSaving(Task& task, const SystemTime& now);

// Sets the recurrence and day that an older version reads for a task with a rule (RuleKind), as
// the task stands at `now`; a task without a rule is left as it is. What SkipMomentBeforeSaving
// does for a task whose moment has not come.
void KeepOlderRecurrence(Task& task, const SystemTime& now);

// True when both tasks fire at the same moments: the same recurrence and time of day, and the
// date fields that recurrence reads (the day of a monthly task, day and month of a yearly one,
// the whole date of a one-time one).
bool SameMoment(const Task& a, const Task& b);

// The next moment a pass will fire the task, to the second, by the rules above: `now` for an
// active task whose moment in this period has come and not yet fired (a pass catches it up), its
// next moment for one not yet due, the next period's for one done for this period (a month
// without the task's day is skipped); nothing for a paused task, a one-time task done, or a moment
// no date has (a second of day past 23:59:59, a month 13). A done-for-period task is set active by
// one pass and fired by the next, half a second later, within the same second as a rule.
std::optional<LocalMoment> NextFiring(const Task& task, const SystemTime& now);

// What comes next of the whole table (the caller holds the store's lock): the earliest next
// firing of a task or return of a reminder put off, with that one's message (valid while the
// lock is held); nothing when nothing will come. A task and a reminder at the same moment give
// the task.
struct NextReminder {
  LocalMoment moment;
  const std::string* message = nullptr;
};
std::optional<NextReminder> NextInStore(const Store& store, const SystemTime& now);

// The moment the computer is to be woken for: the nearest next firing of a task that asks for it.
// Reminders put off do not count: they live apart from their task and its flag, and one was put
// off by a user at the computer. Nothing when no such task will fire. The caller holds the lock.
std::optional<LocalMoment> NextWakeMoment(const Store& store, const SystemTime& now);
