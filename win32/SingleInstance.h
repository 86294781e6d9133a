// One running copy per logon session. The main window, which a second copy also looks for, only
// exists once the first copy has loaded its data; a copy started in that moment (autostart and a
// quick manual start, a double click twice) would run beside it, fire every task twice and
// overwrite the other's file. A named mutex taken first thing closes that gap.
#pragma once

#include "win32/Handles.h"

class SingleInstance {
 public:
  // Takes the session's mutex; Acquired() tells whether this copy is the first.
  SingleInstance();
  bool Acquired() const { return acquired_; }
  // Some copy holds the mutex (running, starting or just ending); nothing is taken here.
  static bool HeldByAnyCopy();

 private:
  UniqueHandle mutex_;
  bool acquired_ = false;
};
