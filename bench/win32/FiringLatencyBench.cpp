// Firing latency under Wine: a real Checker on the real Win32 platform and its real tick, with
// daily tasks due at consecutive whole seconds just ahead. For each task: the local time at
// which firing asked for its popup, less the task's moment.
//
// Functional checks (they fail the run): every task fires exactly once and never before its
// moment, the popup gets the task's own moment text, no save fails, and Data.ini afterwards
// holds every task as done for today with a last run within its firing second.
//
// Usage: vornakel_bench_firing.exe [tasks, default 10]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "bench/win32/Figures.h"
#include "checker/Checker.h"
#include "core/RowTexts.h"
#include "core/Schedule.h"
#include "storage/DataFile.h"
#include "tests/support/TestFolder.h"
#include "win32/Text.h"
#include "win32/Win32Platform.h"

namespace {

constexpr int32_t kFirstMomentAhead = 3;  // seconds: the checker's first pass comes after ~1 s

// The Win32 platform with no main window: the popup request and error reports are recorded
// instead of posted (the real ones would drop the one and open a box for the other).
class RecordingPlatform : public Win32Platform {
 public:
  struct Reminder {
    int64_t counter = 0;
    SYSTEMTIME local{};
    std::string momentText;
    std::string message;
  };

  void PostReminder(const std::string& momentText, const std::string& message, bool /*sound*/,
                    const SoundChoice& /*soundChoice*/, uint64_t /*reminder*/) override {
    Reminder reminder;
    reminder.counter = CounterNow();
    GetLocalTime(&reminder.local);
    reminder.momentText = momentText;
    reminder.message = message;
    std::lock_guard lock(mutex_);
    reminders_.push_back(std::move(reminder));
  }

  void ReportError(const std::string& text) override {
    std::lock_guard lock(mutex_);
    errors_.push_back(text);
  }

  std::vector<Reminder> Reminders() {
    std::lock_guard lock(mutex_);
    return reminders_;
  }
  std::vector<std::string> Errors() {
    std::lock_guard lock(mutex_);
    return errors_;
  }

 private:
  std::mutex mutex_;
  std::vector<Reminder> reminders_;
  std::vector<std::string> errors_;
};

int64_t MsOfDay(const SYSTEMTIME& t) {
  return ((t.wHour * 60LL + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
}

bool SameDate(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

// The local time at the moment its millisecond changes, with the performance counter read
// right then: the pair maps counter readings onto the local clock within a fraction of a ms.
SYSTEMTIME AnchorLocalTime(int64_t& counter) {
  SYSTEMTIME first{}, now{};
  GetLocalTime(&first);
  do {
    GetLocalTime(&now);
    counter = CounterNow();
  } while (now.wMilliseconds == first.wMilliseconds && now.wSecond == first.wSecond);
  return now;
}

std::string Message(int k) { return "Напоминание " + std::to_string(k + 1); }

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::clamp(atoi(argv[1]), 1, 100) : 10;
  Verdict verdict;
  TestFolder folder(L"vornakel-firing");
  RecordingPlatform platform;

  // Daily moments must not run past midnight: wait for the new day if it is that close.
  for (;;) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    if (MsOfDay(now) / 1000 + kFirstMomentAhead + count < 86400 - 2) break;
    Sleep(1000);
  }
  int64_t anchorCounter = 0;
  const SYSTEMTIME anchor = AnchorLocalTime(anchorCounter);
  const int32_t firstMoment = static_cast<int32_t>(MsOfDay(anchor) / 1000) + kFirstMomentAhead;

  Store store;
  store.dataPath = ToUtf8(folder.File(L"Data.ini"));
  std::vector<std::string> momentTexts;
  for (int k = 0; k < count; ++k) {
    Task task;
    task.recurrence = EveryDay;
    task.SetSecondOfDay(firstMoment + k);
    task.year = anchor.wYear;
    task.month = anchor.wMonth;
    task.day = anchor.wDay;
    task.message = Message(k);
    task.showMessage = 1;
    task.beep = 0;
    task.status = StatusActive;
    task.id = store.NewId();
    store.tasks.push_back(task);
    BuildRow(store, k, true);
    store.tasks.back().armed = 1;
    momentTexts.push_back(store.rows.Cell(k, ColumnMoment));
  }
  store.settings.taskCount = count;

  {
    Checker checker(store, platform);
    checker.Start();
    // Every task fires within a tick or two of its moment; the limit only ends a broken run.
    const double limitMs = (kFirstMomentAhead + count + 15) * 1000.0;
    while (platform.Reminders().size() < static_cast<size_t>(count) &&
           CounterToMs(CounterNow() - anchorCounter) < limitMs)
      Sleep(20);
    checker.Stop();
  }

  const auto reminders = platform.Reminders();
  std::vector<int> fired(static_cast<size_t>(count), 0);
  std::vector<int64_t> firedAtMs(static_cast<size_t>(count), -1);  // local ms of day
  std::vector<double> byLocalTime, byCounter;
  for (const auto& reminder : reminders) {
    int k = 0;
    while (k < count && Message(k) != reminder.message) ++k;
    if (k == count) {
      verdict.Fail("a popup for an unknown message");
      continue;
    }
    const int64_t momentMs = (firstMoment + k) * 1000LL;
    const int64_t localMs = MsOfDay(reminder.local);
    ++fired[static_cast<size_t>(k)];
    firedAtMs[static_cast<size_t>(k)] = localMs;
    const double counterMs =
        static_cast<double>(MsOfDay(anchor)) + CounterToMs(reminder.counter - anchorCounter);
    verdict.Check(SameDate(reminder.local, anchor) && localMs >= momentMs,
                  Message(k) + " fired before its moment");
    verdict.Check(reminder.momentText == momentTexts[static_cast<size_t>(k)],
                  Message(k) + ": the popup got another moment text");
    byLocalTime.push_back(static_cast<double>(localMs - momentMs));
    byCounter.push_back(counterMs - static_cast<double>(momentMs));
    printf(
        "task %2d  moment %02d:%02d:%02d  PostReminder at %02d:%02d:%02d.%03d  latency %lld ms"
        " (by the counter %.1f ms)\n",
        k + 1, (firstMoment + k) / 3600, (firstMoment + k) / 60 % 60, (firstMoment + k) % 60,
        reminder.local.wHour, reminder.local.wMinute, reminder.local.wSecond,
        reminder.local.wMilliseconds, static_cast<long long>(localMs - momentMs), byCounter.back());
  }
  for (int k = 0; k < count; ++k)
    verdict.Check(
        fired[static_cast<size_t>(k)] == 1,
        Message(k) + " fired " + std::to_string(fired[static_cast<size_t>(k)]) + " times");
  for (const std::string& error : platform.Errors()) verdict.Fail("reported: " + error);

  // What the saves after each firing left in Data.ini.
  Store saved;
  saved.dataPath = store.dataPath;
  if (const auto error = LoadData(saved, platform, [] {})) verdict.Fail("reading back: " + *error);
  verdict.Check(saved.tasks.size() == static_cast<size_t>(count), "Data.ini lost tasks");
  for (size_t k = 0; k < saved.tasks.size() && k < firedAtMs.size(); ++k) {
    // The last run is the pass's time: from the moment to the popup request.
    const Task& task = saved.tasks[k];
    const int64_t lastRunMs =
        (task.lastRun.hour * 3600LL + task.lastRun.minute * 60 + task.lastRun.second) * 1000;
    verdict.Check(task.status == StatusDoneToday && task.doneThisPeriod == 1 &&
                      task.lastRun.year == anchor.wYear && task.lastRun.month == anchor.wMonth &&
                      task.lastRun.day == anchor.wDay && lastRunMs >= task.secondOfDay * 1000LL &&
                      lastRunMs <= firedAtMs[k],
                  Message(static_cast<int>(k)) + " is not stored as done for today at its run");
  }

  printf("firing latency, local time of PostReminder - moment: %s\n",
         Describe(Summarise(byLocalTime)).c_str());
  printf("firing latency, performance counter - moment:         %s\n",
         Describe(Summarise(byCounter)).c_str());
  printf("target: max <= 1000 ms\n");
  return verdict.Finish("firing");
}
