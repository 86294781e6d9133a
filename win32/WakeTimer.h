// The one waitable timer that wakes the computer from sleep for a task's moment.
#pragma once

#include <windows.h>

#include "core/Snooze.h"
#include "win32/Handles.h"

// How an arming went: the timer runs and may wake the computer; it runs, but Windows says this
// computer cannot be woken by it; or it could not be made or set at all.
enum class WakeArming { Armed, CannotWake, Failed };

class WakeTimer {
 public:
  // Sets the timer to the local moment, replacing any earlier one. The moment is turned into an
  // absolute time in UTC by the time-zone rules of its own date, so a change of the clock, or a
  // daylight-saving change before the moment, leaves it at the same wall-clock moment (a relative
  // interval would keep running by elapsed time instead).
  WakeArming Arm(const LocalMoment& moment);
  // Nothing to wake for.
  void Cancel();
  // The timer itself, for a look at what it was set to; null until the first Arm.
  HANDLE Handle() const { return timer_.get(); }

 private:
  UniqueHandle timer_;
};
