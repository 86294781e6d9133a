// The count of the warning before a shutdown: the seconds left at each bound, and the text.
#include <gtest/gtest.h>

#include "ui/shutdown/ShutdownCountdown.h"

namespace {

TEST(ShutdownCountdown, SecondsLeftAndTextAtEachBound) {
  struct Case {
    int total;
    uint64_t elapsedMs;
    int left;
  };
  const Case cases[] = {
      {60, 0, 60},      {60, 999, 60}, {60, 1000, 59}, {60, 59999, 1}, {60, 60000, 0},
      {60, 3600000, 0}, {2, 1999, 1},  {2, 2000, 0},   {0, 0, 0},      {-5, 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShutdownSecondsLeft(c.total, c.elapsedMs), c.left)
        << c.total << " s after " << c.elapsedMs << " ms";
  EXPECT_EQ(kShutdownWarningSeconds, 60);
  EXPECT_EQ(ShutdownWarningText(60), "Компьютер будет выключен через 60 с");
  EXPECT_EQ(ShutdownWarningText(9), "Компьютер будет выключен через 9 с");
}

}  // namespace
