// The system's SYSTEMTIME as the program's SystemTime, and the local time read that way.
#pragma once

#include <windows.h>

#include "core/Task.h"

inline SystemTime FromSystemTime(const SYSTEMTIME& t) {
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, t.wDayOfWeek};
}

inline SystemTime LocalSystemTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return FromSystemTime(now);
}
