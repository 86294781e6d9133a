#include "core/SoundSchedule.h"

#include <algorithm>

void SoundSchedule::Start(uint64_t reminder, const SoundChoice& choice, int64_t now) {
  waiting_.push_back({reminder, choice, now, std::nullopt, false});
}

bool SoundSchedule::Answered(uint64_t reminder) {
  std::erase_if(waiting_, [reminder](const Entry& e) { return e.reminder == reminder; });
  if (!playing_ || playing_->reminder != reminder || playingAnswered_) return false;
  playingAnswered_ = true;
  return true;
}

std::optional<SoundToPlay> SoundSchedule::Next(int64_t now) {
  if (playing_) return std::nullopt;
  // A repetition kept waiting by other sounds past its span is not played late.
  std::erase_if(waiting_, [now](const Entry& e) {
    return !e.melodyInstead && e.firstPlay && now > *e.firstPlay + kRepeatSpan;
  });
  auto next = std::find_if(waiting_.begin(), waiting_.end(),
                           [](const Entry& e) { return e.melodyInstead; });
  if (next == waiting_.end()) {
    next = std::min_element(waiting_.begin(), waiting_.end(),
                            [](const Entry& a, const Entry& b) { return a.due < b.due; });
    if (next == waiting_.end() || next->due > now) return std::nullopt;
  }
  playing_ = std::move(*next);
  waiting_.erase(next);
  playingAnswered_ = false;
  if (!playing_->firstPlay) playing_->firstPlay = now;
  return SoundToPlay{playing_->reminder,
                     playing_->melodyInstead ? std::string() : playing_->choice.file};
}

void SoundSchedule::Ended(int64_t now, bool played) {
  if (!playing_) return;
  Entry entry = std::move(*playing_);
  playing_.reset();
  if (playingAnswered_) return;
  if (!played && !entry.choice.file.empty() && !entry.melodyInstead) {
    entry.melodyInstead = true;
  } else {
    if (!entry.choice.repeat) return;
    entry.melodyInstead = false;
    entry.due = now + kRepeatPause;
    if (entry.due > *entry.firstPlay + kRepeatSpan) return;
  }
  waiting_.push_back(std::move(entry));
}

std::optional<int64_t> SoundSchedule::WakeAt() const {
  if (playing_ || waiting_.empty()) return std::nullopt;
  const auto first = std::min_element(waiting_.begin(), waiting_.end(),
                                      [](const Entry& a, const Entry& b) { return a.due < b.due; });
  return first->due;
}
