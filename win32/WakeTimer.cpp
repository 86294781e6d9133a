#include "win32/WakeTimer.h"

WakeArming WakeTimer::Arm(const LocalMoment& moment) {
  if (!timer_) timer_.reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
  if (!timer_) return WakeArming::Failed;
  const SystemTime local = SystemTimeOf(moment);
  const SYSTEMTIME localTime{local.year, local.month,  local.dayOfWeek, local.day,
                             local.hour, local.minute, local.second,    0};
  SYSTEMTIME universal{};
  FILETIME due{};
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &universal) ||
      !SystemTimeToFileTime(&universal, &due))
    return WakeArming::Failed;
  // Positive: an absolute moment in 100-nanosecond units since 1601, UTC.
  LARGE_INTEGER when{};
  when.LowPart = due.dwLowDateTime;
  when.HighPart = static_cast<LONG>(due.dwHighDateTime);
  SetLastError(ERROR_SUCCESS);
  if (!SetWaitableTimer(timer_.get(), &when, 0, nullptr, nullptr, TRUE)) return WakeArming::Failed;
  // The timer is set, but a system without the resume support says so this way.
  return GetLastError() == ERROR_NOT_SUPPORTED ? WakeArming::CannotWake : WakeArming::Armed;
}

void WakeTimer::Cancel() {
  if (timer_) CancelWaitableTimer(timer_.get());
}
