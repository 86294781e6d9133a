#include "checker/Firing.h"

#include <tuple>

#include "core/DeleteTask.h"
#include "core/PathParts.h"
#include "core/RowTexts.h"
#include "core/Schedule.h"
#include "storage/DataFile.h"

bool ShutsDownNow(const Task& task, const SystemTime& now, const SystemTime* runningSince) {
  const int32_t moment = MomentSecondOfDay(task, now);
  const int32_t late = SecondOfDay(now) - moment;
  if (late < 0 || late > kShutdownGraceSeconds || !FallsOnDay(task, now)) return false;
  if (!runningSince) return true;
  const auto date = [](const SystemTime& t) { return std::tuple(t.year, t.month, t.day); };
  return date(*runningSince) < date(now) || SecondOfDay(*runningSince) <= moment;
}

bool SaveFromChecker(FiringContext& context, StoreLock& lock, bool report) {
  if (!context.running.load()) return true;
  const uint64_t save = ComposeDataFile(context.store, context.platform, context.saveBuffer);
  lock.unlock();
  auto error = WriteDataFile(context.store, context.platform, save, context.saveBuffer);
  lock.lock();
  if (error && report) context.platform.ReportError(*error);
  return !error;
}

bool PostReminderWithSound(Store& store, CheckerPlatform& platform, bool popup,
                           const std::string& moment, const std::string& message, bool sound,
                           const SoundChoice& choice) {
  const uint64_t reminder = popup ? store.NewId() : 0;
  // Only a popup's answer ends a repetition.
  const SoundChoice played{choice.file, choice.repeat && popup};
  const bool sounder = sound && (!played.file.empty() || played.repeat);
  if (sounder) platform.StartSound(reminder, played);
  if (popup) platform.PostReminder(moment, message, sound, choice, reminder);
  return sound && !sounder;
}

void FireTask(FiringContext& context, StoreLock& lock, int index) {
  Store& store = context.store;
  CheckerPlatform& platform = context.platform;
  const SystemTime& now = context.passTime;
  Task& task = store.tasks[static_cast<size_t>(index)];

  RecordFiring(task, now);
  store.rows.CellChanged(index, ColumnStatus);

  if (task.shutDown) {
    // Caught up after its moment it just records the run, and saves nothing.
    if (ShutsDownNow(task, now, context.runningSince)) {
      if (task.deleteAfter) DeleteTask(store, lock, platform, index, true);
      // The user-interface thread runs the orderly stop, with its final save, before it asks
      // the system to shut down, so this task's new state is always in Data.ini.
      platform.ShutDownComputer();
    }
    platform.RowsChanged();
    return;
  }

  // The popup gets this task's own texts now: the task may be gone when it opens.
  const bool beep = PostReminderWithSound(store, platform, task.showMessage, MomentText(task),
                                          task.message, task.beep, task.soundChoice);
  const uint64_t id = task.id;
  const bool deleteAfter = task.deleteAfter;
  const std::string fileName = task.runFile ? task.fileName : std::string();
  platform.RowsChanged();
  if (beep || !fileName.empty()) {
    // The melody and the shell may take a while: the table is free for the window meanwhile.
    lock.unlock();
    if (beep) BeepMelody(platform, &context.running);
    if (!fileName.empty()) platform.OpenFile(fileName, FolderPart(fileName));
    lock.lock();
  }
  if (deleteAfter) {
    // Found again: a command may have moved or deleted it while the lock was free.
    const int current = store.IndexOf(id);
    if (current >= 0) {
      DeleteTask(store, lock, platform, current, true);
      store.rows.ClearFocus();
      platform.RowsChanged();
    }
  }
  SaveFromChecker(context, lock);
}
