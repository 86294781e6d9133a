#include "win32/TickTimer.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

// A high-resolution timer where the system has one (Windows 10 1803 and later): a plain timer
// fires on the system's clock tick, up to 15.6 ms late.
HANDLE CreateTickTimer(bool& highResolution) {
  if (HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                            TIMER_ALL_ACCESS)) {
    highResolution = true;
    return timer;
  }
  highResolution = false;
  return CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

}  // namespace

TickTimer::TickTimer(unsigned int milliseconds)
    : timer_(CreateTickTimer(highResolution_)),
      wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      milliseconds_(milliseconds) {}

TickTimer::End TickTimer::Wait() {
  // Negative: an interval in 100-nanosecond units from now.
  LARGE_INTEGER due{};
  due.QuadPart = -static_cast<LONGLONG>(milliseconds_) * 10000;
  if (!timer_ || !SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE)) {
    ++fallbackWaits_;
    return WaitForSingleObject(wake_.get(), milliseconds_) == WAIT_OBJECT_0 ? End::Woken
                                                                            : End::TimedOut;
  }
  // The wake event first: when both are signalled, the wake is the one taken, so it is not left
  // to cut the next tick short.
  const HANDLE handles[] = {wake_.get(), timer_.get()};
  switch (WaitForMultipleObjects(2, handles, FALSE, 2 * milliseconds_)) {
    case WAIT_OBJECT_0:
      return End::Woken;
    case WAIT_OBJECT_0 + 1:
      return End::Ticked;
    default:
      return End::TimedOut;
  }
}

void TickTimer::Wake() { SetEvent(wake_.get()); }
