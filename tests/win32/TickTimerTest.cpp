// The checker's real tick: the waitable timer ends each wait, and so does a wake. A broken
// tick hangs here until the test's time-out.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "win32/TickTimer.h"

namespace {

TEST(TickTimer, TheTimerEndsEachWait) {
  TickTimer tick;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(tick.Wait(), TickTimer::End::Ticked);
  EXPECT_EQ(tick.FallbackWaits(), 0u) << "the waitable timer was refused";
}

// A wait cut short by a wake leaves the timer set: the next wait must still end by it, not by
// the time-out that stands in for a timer that never fires.
TEST(TickTimer, AfterAWakeTheTimerStillTicks) {
  TickTimer tick(100);
  tick.Wake();
  EXPECT_EQ(tick.Wait(), TickTimer::End::Woken);
  EXPECT_EQ(tick.Wait(), TickTimer::End::Ticked);
}

// A tick of ten minutes: only the wake can end these waits within the test's time-out.
constexpr unsigned int kLongTick = 10 * 60 * 1000;

TEST(TickTimer, AWakeBeforeTheWaitIsNotLost) {
  TickTimer tick(kLongTick);
  tick.Wake();  // the stop sequence may wake the checker while it is still making a pass
  EXPECT_EQ(tick.Wait(), TickTimer::End::Woken);
  EXPECT_EQ(tick.FallbackWaits(), 0u);
}

TEST(TickTimer, AWakeFromAnotherThreadEndsAWaitInProgress) {
  TickTimer tick(kLongTick);
  std::atomic<bool> waiting{false};
  std::atomic<int> waits{0};
  std::thread waiter([&] {
    waiting = true;
    if (tick.Wait() == TickTimer::End::Woken) ++waits;
  });
  while (!waiting) std::this_thread::yield();
  tick.Wake();
  waiter.join();
  EXPECT_EQ(waits.load(), 1);
}

}  // namespace
