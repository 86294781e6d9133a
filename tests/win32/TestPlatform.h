// The real Win32 platform with a clock and a work area that tests can rely on.
#pragma once

#include "win32/Win32Platform.h"

class FixedClockPlatform : public Win32Platform {
 public:
  SystemTime now{2024, 3, 14, 10, 0, 0, 0, 4};  // Thursday 14 March 2024, 10:00:00
  WorkAreaRect workArea{0, 0, 1024, 738};

  SystemTime LocalTime() override { return now; }
  WorkAreaRect WorkArea() override { return workArea; }
};
