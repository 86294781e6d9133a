// The checker's real tick: the multimedia timer ends each wait, and so does a wake. A broken
// tick hangs here until the test's time-out.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "win32/TickTimer.h"

namespace {

TEST(TickTimer, TheTimerEndsEachWait) {
  TickTimer tick;
  for (int i = 0; i < 3; ++i) tick.Wait();
  EXPECT_EQ(tick.FallbackWaits(), 0u) << "the multimedia timer was refused";
}

// A tick of ten minutes: only the wake can end these waits within the test's time-out.
constexpr unsigned int kLongTick = 10 * 60 * 1000;

TEST(TickTimer, AWakeBeforeTheWaitIsNotLost) {
  TickTimer tick(kLongTick);
  tick.Wake();  // the stop sequence may wake the checker while it is still making a pass
  tick.Wait();
  // Ten minutes is beyond what the multimedia timer takes, so this also covers the plain wait
  // that stands in for a refused timer.
  EXPECT_EQ(tick.FallbackWaits(), 1u);
}

TEST(TickTimer, AWakeFromAnotherThreadEndsAWaitInProgress) {
  TickTimer tick(kLongTick);
  std::atomic<bool> waiting{false};
  std::atomic<int> waits{0};
  std::thread waiter([&] {
    waiting = true;
    tick.Wait();
    ++waits;
  });
  while (!waiting) std::this_thread::yield();
  tick.Wake();
  waiter.join();
  EXPECT_EQ(waits.load(), 1);
}

}  // namespace
