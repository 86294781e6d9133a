// The reminders' sounds, played on a thread of their own as SoundSchedule decides: a sound file
// with the system's PlaySound (winmm from the system folder), synchronously, so the thread knows
// when it ended and the next repetition is counted from there, whatever the file's format; the
// melody when the file cannot be played. Answering a popup stops its sound at once.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "core/CheckerPlatform.h"
#include "core/SoundSchedule.h"
#include "win32/Handles.h"

class Sounder {
 public:
  // The melody's tones go to `platform`'s Beep.
  explicit Sounder(CheckerPlatform& platform) : platform_(platform) {}
  // Stops the sound that plays and waits for the thread.
  ~Sounder();
  Sounder(const Sounder&) = delete;
  Sounder& operator=(const Sounder&) = delete;

  // The thread starts with the first sound.
  void Start(uint64_t reminder, const SoundChoice& choice);
  void Answered(uint64_t reminder);

  // How many files were tried and melodies played, and whether any sound is left to play.
  uint64_t FilesTried() const { return filesTried_.load(); }
  uint64_t Melodies() const { return melodies_.load(); }
  bool Quiet() {
    std::lock_guard lock(mutex_);
    return schedule_.Quiet();
  }

 private:
  void Run();
  // Plays one sound to its end; false when its file could not be played.
  bool Play(const SoundToPlay& sound);
  void StopPlaying();  // under mutex_

  CheckerPlatform& platform_;
  std::mutex mutex_;
  SoundSchedule schedule_;  // under mutex_
  bool stopping_ = false;   // under mutex_
  std::atomic<uint8_t> melodyGoesOn_{0};
  std::atomic<uint64_t> filesTried_{0}, melodies_{0};
  UniqueHandle wake_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  std::thread thread_;
};
