// The wake timer as the system holds it: its due time read back from the timer object (ntdll's
// NtQueryTimer, the remaining time), since no test can put the computer to sleep.
#include <gtest/gtest.h>

#include <optional>

#include "tests/support/ApplicationFixture.h"
#include "win32/LocalTime.h"
#include "win32/WakeTimer.h"

namespace {

struct TimerBasicInformation {
  LARGE_INTEGER remainingTime;  // 100-nanosecond units
  BOOLEAN signalled;
};
using NtQueryTimerCall = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

// Whole seconds until the timer falls due; nothing for a timer not set or already due.
std::optional<int64_t> SecondsLeft(HANDLE timer) {
  static const auto query = reinterpret_cast<NtQueryTimerCall>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryTimer")));
  TimerBasicInformation info{};
  if (!timer || !query || query(timer, 0, &info, sizeof info, nullptr) != 0) return std::nullopt;
  if (info.remainingTime.QuadPart <= 0) return std::nullopt;
  return (info.remainingTime.QuadPart + 9'999'999) / 10'000'000;
}

LocalMoment MinutesFromNow(int32_t minutes) {
  return AddMinutes(MomentOf(LocalSystemTime()), minutes);
}

// Near the moment's distance on the wall clock: the moment drops the milliseconds of now.
bool DueIn(HANDLE timer, int64_t minutes) {
  const std::optional<int64_t> left = SecondsLeft(timer);
  return left && *left <= minutes * 60 && *left >= minutes * 60 - 2;
}

TEST(WakeTimer, IsSetAtTheLocalMomentAndEachArmingReplacesTheLast) {
  WakeTimer timer;
  EXPECT_EQ(timer.Handle(), nullptr);
  for (const int32_t minutes : {40 * 1440, 2, 2 * 1440, 60}) {
    const WakeArming arming = timer.Arm(MinutesFromNow(minutes));
    // Wine takes the resume flag without a word (it never sleeps); a Windows without the support
    // would answer CannotWake.
    EXPECT_EQ(arming, WakeArming::Armed) << minutes;
    EXPECT_TRUE(DueIn(timer.Handle(), minutes))
        << minutes << ": " << SecondsLeft(timer.Handle()).value_or(-1);
  }
}

// Wine keeps a cancelled timer's due time for the query, so the cancel is seen in what the timer
// does: set two seconds ahead it falls due within the wait, cancelled it does not.
TEST(WakeTimer, FallsDueAtItsMomentUnlessCancelled) {
  WakeTimer timer;
  for (const bool cancel : {false, true}) {
    SystemTime now = LocalSystemTime();
    if (now.second > 56) Sleep(4000), now = LocalSystemTime();
    LocalMoment soon = MomentOf(now);
    soon.second += 2;
    ASSERT_NE(timer.Arm(soon), WakeArming::Failed);
    if (cancel) timer.Cancel();
    EXPECT_EQ(WaitForSingleObject(timer.Handle(), 4000), cancel ? WAIT_TIMEOUT : WAIT_OBJECT_0);
  }
}

class WakeTimerOfTheProgram : public ApplicationFixture {};

// The program's timer after loading and after changes of the table (each composes a save).
TEST_F(WakeTimerOfTheProgram, FollowsTheNearestFlaggedTask) {
  const SystemTime in2Days = SystemTimeOf(MinutesFromNow(2 * 1440 + 1));
  const TestTask flagged{.recurrence = Once,
                         .ssec = SecondOfDay(in2Days.hour, in2Days.minute, 0),
                         .year = in2Days.year,
                         .month = in2Days.month,
                         .day = in2Days.day,
                         .text = "Разбудить",
                         .wake = true};
  TestTask unflagged = flagged;
  unflagged.wake = false;
  const SystemTime in1Day = SystemTimeOf(MinutesFromNow(1440 + 1));
  ASSERT_NO_FATAL_FAILURE(CreateApplication({}, {unflagged, flagged}));
  const HANDLE timer = app->mainWindow().WakeTimerHandle();
  const int64_t toMoment =
      SecondsBetween(MomentOf(LocalSystemTime()), MomentOf(in2Days)) - in2Days.second;
  auto dueInSeconds = [&](int64_t seconds) {
    const std::optional<int64_t> left = SecondsLeft(timer);
    return left && *left <= seconds && *left >= seconds - 3;
  };
  EXPECT_TRUE(dueInSeconds(toMoment)) << SecondsLeft(timer).value_or(-1);
  Store& store = app->store();
  auto change = [&](const std::function<void(std::vector<Task>&)>& edit) {
    std::lock_guard lock(store.mutex);
    edit(store.tasks);
    ++store.composedSaves;
  };
  // The other task flagged and a day nearer; then paused.
  change([&](std::vector<Task>& tasks) {
    tasks[0].wake = true, tasks[0].year = in1Day.year, tasks[0].month = in1Day.month;
    tasks[0].day = in1Day.day;
  });
  EXPECT_TRUE(PumpUntil([&] { return dueInSeconds(toMoment - 86400); }));
  change([](std::vector<Task>& tasks) { tasks[0].status = StatusPaused; });
  EXPECT_TRUE(PumpUntil([&] { return dueInSeconds(toMoment); }));
  // Flagged a few seconds ahead, then not flagged at all: the timer is cancelled and never falls
  // due (Wine keeps a cancelled timer's due time for the query, so what it does is watched).
  SystemTime now = LocalSystemTime();
  if (now.second > 50) Sleep(10000), now = LocalSystemTime();
  change([&](std::vector<Task>& tasks) {
    tasks[1].year = now.year, tasks[1].month = now.month, tasks[1].day = now.day;
    tasks[1].SetSecondOfDay(SecondOfDay(now.hour, now.minute, now.second + 6));
  });
  ASSERT_TRUE(PumpUntil([&] { return SecondsLeft(timer).value_or(99) <= 6; }));
  change([](std::vector<Task>& tasks) { tasks[1].wake = false; });
  PumpUntil([] { return false; }, std::chrono::seconds(2));
  EXPECT_EQ(WaitForSingleObject(timer, 6000), static_cast<DWORD>(WAIT_TIMEOUT));
}

}  // namespace
