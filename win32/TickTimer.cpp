#include "win32/TickTimer.h"

#include <mmsystem.h>

namespace {

// Runs on the timer's own thread and does nothing but wake the checker.
void CALLBACK TickCallback(UINT, UINT, DWORD_PTR event, DWORD_PTR, DWORD_PTR) {
  SetEvent(reinterpret_cast<HANDLE>(event));
}

}  // namespace

TickTimer::TickTimer(unsigned int milliseconds)
    : TickEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr)), milliseconds_(milliseconds) {}

void TickTimer::Wait() {
  const MMRESULT id = timeSetEvent(milliseconds_, milliseconds_, TickCallback,
                                   reinterpret_cast<DWORD_PTR>(TickEvent.get()),
                                   TIME_ONESHOT | TIME_CALLBACK_FUNCTION);
  if (id == 0) {
    ++fallbackWaits_;
    WaitForSingleObject(TickEvent.get(), milliseconds_);
    return;
  }
  WaitForSingleObject(TickEvent.get(), INFINITE);
  timeKillEvent(id);
}

void TickTimer::Wake() { SetEvent(TickEvent.get()); }
