// What happens when a task's moment has come.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "core/CheckerPlatform.h"
#include "core/Melody.h"
#include "core/Store.h"

struct FiringContext {
  Store& store;
  CheckerPlatform& platform;
  const SystemTime& passTime;
  const std::atomic<uint8_t>& running;  // no firing saves once stopping has begun
  std::string& saveBuffer;              // the checker's own, reused from save to save
  // When the checker started; null when unknown (taken as running all along).
  const SystemTime* runningSince = nullptr;
};

// How late a pass may find a shutdown task and still shut down: passes come about every 500 ms,
// but one that fires another task, or a busy machine, can miss whole seconds.
inline constexpr int32_t kShutdownGraceSeconds = 5;

// A shutdown task found due at `now` acts when its moment is today, at most
// kShutdownGraceSeconds before `now`, and the program was already running then; otherwise the
// moment is being caught up and the run is only recorded.
bool ShutsDownNow(const Task& task, const SystemTime& now, const SystemTime* runningSince);

// Performs task `index` (the pass holds the lock): records the last run, changes the status,
// then either shuts the computer down (see ShutsDownNow) or shows the message, plays the
// melody, starts the file, deletes the task and saves, in that order. The lock is released
// while the melody plays, the file starts and the file is written: the window thread draws and
// takes commands meanwhile, so the task is found again by its identity afterwards.
void FireTask(FiringContext& context, StoreLock& lock, int index);

// Posts a reminder's popup (none when `popup` is false) and starts its sound when `sound` is
// on: a sound file, or a repetition until the popup is answered, goes to the platform's sounder,
// started before the popup is posted so that the popup's answer always finds it. True when the
// sound is the plain melody, which the caller plays with the lock released.
bool PostReminderWithSound(Store& store, CheckerPlatform& platform, bool popup,
                           const std::string& moment, const std::string& message, bool sound,
                           const SoundChoice& choice);

// Saves on the checker thread unless stopping has begun: composed under the lock, written with
// it released. A failure is reported on the user-interface thread (unless `report` is false) and
// the checker goes on; false then.
bool SaveFromChecker(FiringContext& context, StoreLock& lock, bool report = true);
