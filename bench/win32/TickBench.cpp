// The checker's real tick under Wine: the intervals between the returns of WaitTick of the
// Win32 platform (a waitable timer set afresh to 500 ms for every tick, waited on by the
// checker's own thread), as the checker thread sees them when a pass takes no time.
//
// Usage: vornakel_bench_tick.exe [ticks, default 40]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/win32/Figures.h"
#include "win32/TickTimer.h"
#include "win32/Win32Platform.h"

int main(int argc, char** argv) {
  const int ticks = argc > 1 ? std::max(1, atoi(argv[1])) : 40;
  Verdict verdict;

  // The platform does not tell how its timer was made, or whether a tick fell back to the plain
  // 500 ms wait; a timer of the same kind, in the same process, does.
  {
    TickTimer probe;
    verdict.Check(probe.Wait() == TickTimer::End::Ticked,
                  "the waitable timer did not end the wait");
    verdict.Check(probe.FallbackWaits() == 0, "the waitable timer was refused");
    printf("high-resolution timer: %s\n", probe.HighResolution() ? "yes" : "no (plain)");
  }

  Win32Platform platform;
  std::vector<double> intervals;
  int64_t last = CounterNow();
  for (int i = 0; i < ticks; ++i) {
    platform.WaitTick();
    const int64_t now = CounterNow();
    intervals.push_back(CounterToMs(now - last));
    last = now;
  }

  printf("intervals (ms):");
  for (double interval : intervals) printf(" %.1f", interval);
  printf("\n");
  printf("WaitTick of Win32Platform, %d ticks: %s\n", ticks,
         Describe(Summarise(intervals)).c_str());
  return verdict.Finish("tick");
}
