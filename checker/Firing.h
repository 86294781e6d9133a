// What happens when a task's moment has come.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "core/CheckerPlatform.h"
#include "core/Store.h"

// The sound action: nine 20 ms tones, frequencies on the NT family, timer divisors otherwise.
inline constexpr uint16_t BeepMelodyTones[9] = {1000, 1300, 1600, 1300, 1600,
                                                1900, 1600, 1900, 2200};
constexpr uint32_t PlatformNT = 2;

struct FiringContext {
  Store& store;
  CheckerPlatform& platform;
  const SystemTime& passTime;
  const std::atomic<uint8_t>& running;  // no firing saves once stopping has begun
};

// Performs task `index` (the pass holds the lock): records the last run, changes the status,
// then either shuts the computer down (only in the task's very second) or shows the message,
// plays the melody, starts the file and deletes the task; then saves.
void FireTask(FiringContext& context, StoreLock& lock, int index);

void BeepMelody(CheckerPlatform& platform);
// A tone on the PC speaker through the interval timer's channel 2 (older family only).
void LegacyBeep(CheckerPlatform& platform, uint16_t value, uint32_t milliseconds);

// Saves on the checker thread unless stopping has begun; a failure is reported on the
// user-interface thread and the checker goes on.
void SaveFromChecker(FiringContext& context);
