// Which reminder's sound plays when. A reminder's sound plays once; one that repeats until
// answered plays again kRepeatPause after it ended, until its popup is answered, and starts no
// later than kRepeatSpan after its first play. One sound plays at a time: a sound that falls due
// while another plays waits for it to end. A file that cannot be played gives the melody at once.
// Times are milliseconds of a clock that only runs forwards (not the local time, which the user
// may set back); the caller plays the sounds and keeps this under its own lock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Task.h"

struct SoundToPlay {
  uint64_t reminder = 0;
  std::string file;  // empty: the melody
  friend bool operator==(const SoundToPlay&, const SoundToPlay&) = default;
};

class SoundSchedule {
 public:
  static constexpr int64_t kRepeatPause = 10'000;
  static constexpr int64_t kRepeatSpan = 3'600'000;

  // Reminder `reminder` (its popup's number) was shown at `now` with `choice`; its sound is due.
  void Start(uint64_t reminder, const SoundChoice& choice, int64_t now);
  // Its popup was answered: its sound plays no more. True when the sound playing now is its own,
  // which the caller stops.
  bool Answered(uint64_t reminder);
  // The sound to play at `now` when none is playing and one is due; it plays until Ended.
  std::optional<SoundToPlay> Next(int64_t now);
  // The sound from Next ended at `now`; `played` false: its file could not be played.
  void Ended(int64_t now, bool played);
  // When a waiting sound falls due; none when nothing waits (or one still plays).
  std::optional<int64_t> WakeAt() const;
  // Nothing plays and nothing waits.
  bool Quiet() const { return !playing_ && waiting_.empty(); }

 private:
  struct Entry {
    uint64_t reminder = 0;
    SoundChoice choice;
    int64_t due = 0;
    std::optional<int64_t> firstPlay;
    bool melodyInstead = false;  // its file failed just now: the melody plays at once
  };
  std::vector<Entry> waiting_;  // in the order they were started
  std::optional<Entry> playing_;
  bool playingAnswered_ = false;
};
