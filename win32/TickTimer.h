// The checker's tick: a waitable timer set afresh for every tick, waited on together with a wake
// event. The waiting thread is the checker's own: the tick needs no thread of its own.
#pragma once

#include <windows.h>

#include "win32/Handles.h"

class TickTimer {
 public:
  explicit TickTimer(unsigned int milliseconds = 500);

  // What ended a wait: the timer, a wake, or the time-out that stands in for a timer that did
  // not fire.
  enum class End { Ticked, Woken, TimedOut };

  // Waits one tick, or less once Wake has been called (an auto-reset event: one wake shortens
  // one wait, the one under way or the next). Never longer than twice the tick, even with no
  // timer at all: the checker never blocks for ever.
  End Wait();
  void Wake();

  // The timer keeps to the millisecond (CREATE_WAITABLE_TIMER_HIGH_RESOLUTION); false where the
  // system refuses it and the tick rests on the system's plain timer resolution.
  bool HighResolution() const { return highResolution_; }
  // How many ticks waited on the wake event alone (no timer could be made or set).
  unsigned long FallbackWaits() const { return fallbackWaits_; }

 private:
  bool highResolution_ = false;  // before timer_: set while it is made
  UniqueHandle timer_;
  UniqueHandle wake_;
  unsigned int milliseconds_;
  unsigned long fallbackWaits_ = 0;
};
