// The program's wake timer as the system holds it: the time left read back from the timer object
// (ntdll's NtQueryTimer), since no test can put the computer to sleep.
#include <gtest/gtest.h>

#include "tests/support/ApplicationFixture.h"
#include "win32/LocalTime.h"

namespace {

// Whole seconds until the timer falls due; -1 when it cannot be read.
int64_t SecondsLeft(HANDLE timer) {
  struct {
    LARGE_INTEGER left;  // 100-nanosecond units
    BOOLEAN signalled;
  } info{};
  using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryTimer")));
  if (!timer || !query || query(timer, 0, &info, sizeof info, nullptr) != 0) return -1;
  return (info.left.QuadPart + 9'999'999) / 10'000'000;
}

class WakeTimer : public ApplicationFixture {};

// Loaded, then after changes of the table (each composes a save): the flagged task two days ahead,
// the other flagged a day nearer, paused, and then a flagged task seconds ahead unflagged.
TEST_F(WakeTimer, FollowsTheNearestFlaggedTask) {
  const LocalMoment now = MomentOf(LocalSystemTime());
  const ULONGLONG nowTick = GetTickCount64();
  const SystemTime in1Day = SystemTimeOf(AddMinutes(now, 1441));
  const SystemTime in2Days = SystemTimeOf(AddMinutes(now, 2881));
  TestTask task{.recurrence = Once,
                .ssec = SecondOfDay(in2Days.hour, in2Days.minute, 0),
                .year = in2Days.year,
                .month = in2Days.month,
                .day = in2Days.day};
  std::vector<TestTask> tasks{task, task};
  tasks[1].wake = true;
  ASSERT_NO_FATAL_FAILURE(CreateApplication({}, tasks));
  const HANDLE timer = app->mainWindow().WakeTimerHandle();
  // Within a few seconds of the wall clock's distance: the moment drops the milliseconds.
  const int64_t toIn2Days = SecondsBetween(now, MomentOf(in2Days)) - in2Days.second;
  // `seconds` counted from the tick `from`: a slow start must not look like a wrong due time.
  const auto leftNear = [&](int64_t seconds, ULONGLONG from) {
    return PumpUntil([&] {
      const auto elapsed = static_cast<int64_t>((GetTickCount64() - from) / 1000);
      return std::abs(SecondsLeft(timer) - (seconds - elapsed)) <= 3;
    });
  };
  EXPECT_TRUE(leftNear(toIn2Days, nowTick)) << SecondsLeft(timer);
  const auto change = [&](const std::function<void(Task&)>& edit) {
    std::lock_guard lock(app->store().mutex);
    edit(app->store().tasks[0]);
    ++app->store().composedSaves;
  };
  change([&](Task& t) {
    t.wake = true, t.year = in1Day.year, t.month = in1Day.month, t.day = in1Day.day;
  });
  EXPECT_TRUE(leftNear(toIn2Days - 86400, nowTick)) << SecondsLeft(timer);
  change([](Task& t) { t.status = StatusPaused; });
  EXPECT_TRUE(leftNear(toIn2Days, nowTick)) << SecondsLeft(timer);
  // Wine keeps a cancelled timer's due time for the query: the cancel is seen in what it does.
  SystemTime soon = LocalSystemTime();
  if (soon.second > 50) Sleep(10000), soon = LocalSystemTime();
  const ULONGLONG soonTick = GetTickCount64();
  change([&](Task& t) {
    t.status = StatusActive, t.year = soon.year, t.month = soon.month, t.day = soon.day;
    t.SetSecondOfDay(SecondOfDay(soon.hour, soon.minute, soon.second + 6));
  });
  ASSERT_TRUE(leftNear(6, soonTick));
  change([&](Task& t) { t.wake = app->store().tasks[1].wake = false; });
  PumpUntil([] { return false; }, std::chrono::seconds(2));
  EXPECT_EQ(WaitForSingleObject(timer, 6000), static_cast<DWORD>(WAIT_TIMEOUT));
}

}  // namespace
