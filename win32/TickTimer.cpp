#include "win32/TickTimer.h"

#include <mmsystem.h>

#include "win32/SystemLibrary.h"

namespace {

// The multimedia timer keeps the tick within a millisecond of 500 ms, where the system's plain
// timers are as coarse as 15.6 ms. winmm is not a known DLL: it is taken from the system folder.
struct MultimediaTimer {
  decltype(&timeSetEvent) set =
      SystemFunction<decltype(&timeSetEvent)>(L"winmm.dll", "timeSetEvent");
  decltype(&timeKillEvent) kill =
      SystemFunction<decltype(&timeKillEvent)>(L"winmm.dll", "timeKillEvent");
};

const MultimediaTimer& Timer() {
  static const MultimediaTimer timer;
  return timer;
}

// Runs on the timer's own thread and does nothing but wake the checker.
void CALLBACK TickCallback(UINT, UINT, DWORD_PTR event, DWORD_PTR, DWORD_PTR) {
  SetEvent(reinterpret_cast<HANDLE>(event));
}

}  // namespace

TickTimer::TickTimer(unsigned int milliseconds)
    : TickEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr)), milliseconds_(milliseconds) {}

void TickTimer::Wait() {
  const MultimediaTimer& timer = Timer();
  const MMRESULT id = timer.set && timer.kill
                          ? timer.set(milliseconds_, milliseconds_, TickCallback,
                                      reinterpret_cast<DWORD_PTR>(TickEvent.get()),
                                      TIME_ONESHOT | TIME_CALLBACK_FUNCTION)
                          : 0;
  if (id == 0) {
    ++fallbackWaits_;
    WaitForSingleObject(TickEvent.get(), milliseconds_);
    return;
  }
  WaitForSingleObject(TickEvent.get(), INFINITE);
  timer.kill(id);
}

void TickTimer::Wake() { SetEvent(TickEvent.get()); }
