#include "core/Melody.h"

void BeepMelody(CheckerPlatform& platform, const std::atomic<uint8_t>* running) {
  for (uint16_t tone : BeepMelodyTones) {
    if (running && !running->load()) return;  // stopping never waits for the melody
    platform.Beep(tone, kBeepToneMilliseconds);
  }
}
