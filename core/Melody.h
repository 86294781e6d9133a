// The melody: nine short tones rising in steps, the sound of a reminder without a sound file and
// of one whose file cannot be played.
#pragma once

#include <atomic>
#include <cstdint>

#include "core/CheckerPlatform.h"

// Frequencies in hertz.
inline constexpr uint16_t BeepMelodyTones[9] = {1000, 1300, 1600, 1300, 1600,
                                                1900, 1600, 1900, 2200};
inline constexpr uint32_t kBeepToneMilliseconds = 20;

// Nine tones; once `running` is cleared no further tone plays.
void BeepMelody(CheckerPlatform& platform, const std::atomic<uint8_t>* running = nullptr);
