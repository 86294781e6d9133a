#include "win32/Sounder.h"

#include <mmsystem.h>

#include <algorithm>

#include "core/Melody.h"
#include "win32/SystemLibrary.h"
#include "win32/Text.h"

namespace {

// winmm is not a known DLL: it is taken from the system folder, and only once a sound plays.
decltype(&PlaySoundW) PlaySoundFunction() {
  static const auto play = SystemFunction<decltype(&PlaySoundW)>(L"winmm.dll", "PlaySoundW");
  return play;
}

int64_t Now() { return static_cast<int64_t>(GetTickCount64()); }

}  // namespace

Sounder::~Sounder() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    StopPlaying();
  }
  SetEvent(wake_.get());
  if (thread_.joinable()) thread_.join();
}

void Sounder::Start(uint64_t reminder, const SoundChoice& choice) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    schedule_.Start(reminder, choice, Now());
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
  }
  SetEvent(wake_.get());
}

void Sounder::Answered(uint64_t reminder) {
  std::lock_guard lock(mutex_);
  if (schedule_.Answered(reminder)) StopPlaying();
}

void Sounder::StopPlaying() {
  // The sound thread never holds the lock while it plays, so this reaches the sound it began. An
  // answer in the instant between the thread taking a file and PlaySound opening it misses it:
  // that play runs to its end, and none follows.
  melodyGoesOn_ = 0;
  // Before the first file nothing can be playing: winmm stays unloaded until a file sound.
  if (filesTried_.load() == 0) return;
  if (const auto play = PlaySoundFunction()) play(nullptr, nullptr, 0);
}

void Sounder::Run() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    const std::optional<SoundToPlay> sound = schedule_.Next(Now());
    if (!sound) {
      const std::optional<int64_t> due = schedule_.WakeAt();
      const DWORD wait =
          due ? static_cast<DWORD>(std::clamp<int64_t>(*due - Now(), 0, 3'600'000)) : INFINITE;
      lock.unlock();
      WaitForSingleObject(wake_.get(), wait);
      lock.lock();
      continue;
    }
    melodyGoesOn_ = 1;
    lock.unlock();
    const bool played = Play(*sound);
    lock.lock();
    schedule_.Ended(Now(), played);
  }
}

bool Sounder::Play(const SoundToPlay& sound) {
  if (sound.file.empty()) {
    ++melodies_;
    BeepMelody(platform_, &melodyGoesOn_);
    return true;
  }
  ++filesTried_;
  const auto play = PlaySoundFunction();
  // Without SND_NODEFAULT a missing file would give the system's default sound and report
  // success: the melody must take its place instead.
  return play && play(ToWide(sound.file).c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT);
}
