// The checker's pass over a large table in which nothing is due (the second argument: that many
// reminders put off, none due yet): the work the program does twice a second for as long as it
// runs. Besides the time, the pass's heap allocations are
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
    store.tasks.push_back(NotYetDueTask(i, platform.now));
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
    ->Args({10000, 0})
    ->Args({10000, 1000})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
