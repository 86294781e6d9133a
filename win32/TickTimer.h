// The checker's tick: a one-shot 500 ms multimedia timer whose callback sets an auto-reset
// event that the checker waits on. A fresh timer is made for every tick.
#pragma once

#include <windows.h>

#include "win32/Handles.h"

class TickTimer {
 public:
  // The event the timer sets is unnamed and auto-reset: one wait takes one tick.
  explicit TickTimer(unsigned int milliseconds = 500);

  // Waits one tick, or less once Wake has been called. When the timer cannot be created the
  // wait is a plain 500 ms time-out instead, so the checker never blocks for ever.
  void Wait();
  void Wake();

  // How many ticks fell back to the plain wait (the multimedia timer was refused).
  unsigned long FallbackWaits() const { return fallbackWaits_; }

 private:
  UniqueHandle TickEvent;
  unsigned int milliseconds_;
  unsigned long fallbackWaits_ = 0;
};
