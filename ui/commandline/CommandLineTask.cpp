#include "ui/commandline/CommandLineTask.h"

#include <mutex>

#include "core/Schedule.h"

CommitResult AddCommandLineTask(Store& store, const CommandLineTask& task, const SystemTime& now) {
  const CommitResult result = CommitEditor(store, 0, task.fields, now);
  if (result.outcome != CommitResult::Outcome::Written) return result;
  std::lock_guard lock(store.mutex);
  // Unarmed until its row exists: no pass has touched it since.
  const int index = store.IndexOf(result.taskId);
  if (index < 0) return result;
  Task& added = store.tasks[static_cast<size_t>(index)];
  added.warnMinutes = task.warnMinutes;
  if (task.rule.kind == PlainRule) return result;
  // The commit skipped a moment by the older recurrence alone: the task starts over as new.
  added.rule = task.rule;
  added.status = StatusActive;
  added.doneThisPeriod = 0;
  added.lastRun = {};
  SkipMomentBeforeSaving(added, now);
  return result;
}
