// The Russian keyboard layout for the time a window is open, on its thread only.
#pragma once

#include <windows.h>

// While it lives, the calling thread types with the Russian layout, if the user has that layout
// installed; otherwise nothing changes (no layout is added to the user's list). The thread's
// previous layout comes back when it ends.
class RussianLayoutWhileOpen {
 public:
  RussianLayoutWhileOpen();
  ~RussianLayoutWhileOpen();
  RussianLayoutWhileOpen(const RussianLayoutWhileOpen&) = delete;
  RussianLayoutWhileOpen& operator=(const RussianLayoutWhileOpen&) = delete;

 private:
  HKL previous_ = nullptr;  // null when nothing was switched
};
