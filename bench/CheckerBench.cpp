// The checker's pass over a large table in which nothing is due (the second argument: that many
// reminders put off, none due yet; the third: which kinds of task, TableMix): the work the program
// does twice a second for as long as it runs. Besides the time, the pass's heap allocations are
// counted (the executable's operator new counts them); a pass that finds nothing to do
// should make none.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/CountingAllocator.h"
#include "bench/SampleTasks.h"
#include "checker/Checker.h"
#include "core/RowTexts.h"
#include "core/Schedule.h"
#include "tests/support/FakePlatform.h"

namespace {

// Sample task `i`, active, in recurrence i % 11, with its moment later than `now` in that
// recurrence's own terms: later today on the day, in the month or on the date the recurrence looks
// at, or a later day, month or year. Nearly all of them are "today, later", so every comparison of
// the due test runs to its end.
Task NotYetDueTask(int i, const SystemTime& now) {
  Task task = MakeTask(i);
  task.status = StatusActive;
  task.doneThisPeriod = 0;
  const int32_t later = SecondOfDay(now) + 1 + (i * 37) % (86399 - SecondOfDay(now));
  task.SetSecondOfDay(later);
  task.year = now.year + (i % 17 == 0);
  task.month = now.month + (i % 19 == 0);
  task.day = now.day + (i % 23 == 0);
  task.armed = 1;
  return task;
}

// The tables compared: the sample's recurrences, daily tasks only, and daily tasks every other
// one of which follows a repeat rule (the five kinds in turn), none due yet.
// WarnedRules: HalfRules with a warning 15 minutes before on every tenth task, which every pass
// looks at.
enum TableMix { SampleMix = 0, DailyOnly = 1, HalfRules = 2, WarnedRules = 3 };

Task NotYetDueTaskOf(int i, const SystemTime& now, int64_t mix) {
  Task task = NotYetDueTask(i, now);
  if (mix == SampleMix) return task;
  task.recurrence = EveryDay;
  if (mix == WarnedRules && i % 10 == 0 && task.secondOfDay > SecondOfDay(now) + 900)
    task.warnMinutes = 15;  // a daily task not yet in its warning's time
  if (mix == DailyOnly || i % 2 == 0) return task;
  const int32_t otherDays = 0x7F & ~WeekdayBit(now.dayOfWeek);
  switch (i / 2 % 5) {
    case 0:  // a slot later today, or slots from midnight on the other days
      task.rule = {EveryNMinutes, 45, 0, 86399};
      if (i % 4 == 1) task.SetSecondOfDay(0), task.rule.weekdays = otherDays;
      break;
    case 1:
      task.rule = {EveryNHours, 2, i % 4 == 1 ? 0 : otherDays, 86399};
      break;
    case 2:
      task.rule = {OnWeekdays, 0, i % 4 == 1 ? kWorkingDays : 0x7F};
      break;
    case 3:  // the last of today's weekday in the month, after today in the sample's March
      task.rule = {NthWeekdayOfMonth, kLastOfMonth, WeekdayBit(now.dayOfWeek)};
      break;
    default:  // from today, or from tomorrow
      task.rule = {EveryNDays, 1 + i % 7};
      break;
  }
  task.recurrence = task.rule.kind == NthWeekdayOfMonth ? EveryMonth : EveryDay;
  return task;
}

// A zero would mean nothing if the counting operator new were not the one in use.
bool AllocationsAreCounted() {
  const uint64_t before = AllocationCount();
  auto probe = std::make_unique<int>(1);
  benchmark::DoNotOptimize(probe.get());
  return AllocationCount() > before;
}

void BM_CheckerPassNothingDue(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  Store store;
  FakePlatform platform;
  store.tasks.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    store.tasks.push_back(NotYetDueTaskOf(i, platform.now, state.range(2)));
    store.tasks.back().id = store.NewId();
    BuildRow(store, i, true);
  }
  store.rows.TakeChanges();
  const LocalMoment tomorrow = AddMinutes(MomentOf(platform.now), 1440);
  for (int i = 0; i < state.range(1); ++i)
    InsertByDue(store.snoozed, {AddMinutes(tomorrow, i), "Ежедневно в 09:00:00", "Позже", true});
  for (const Task& task : store.tasks)
    if (IsDue(task, platform.now)) return state.SkipWithError("a sample task is due");
  Checker checker(store, platform);
  if (!AllocationsAreCounted()) return state.SkipWithError("operator new is not the counting one");

  const uint64_t allocationsBefore = AllocationCount();
  for (auto _ : state) checker.MakePass();
  const uint64_t allocations = AllocationCount() - allocationsBefore;

  if (!platform.actions.empty() || platform.rowsChanged.load() != 0 || store.rows.HasChanges())
    return state.SkipWithError("the pass fired or changed a task");
  state.counters["allocs_per_pass"] =
      benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_CheckerPassNothingDue)
    ->ArgNames({"tasks", "snoozed", "mix"})
    ->Args({10000, 0, SampleMix})
    ->Args({10000, 1000, SampleMix})
    ->Args({10000, 0, DailyOnly})
    ->Args({10000, 0, HalfRules})
    ->Args({10000, 0, WarnedRules})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
