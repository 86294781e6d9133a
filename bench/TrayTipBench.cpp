// The tray icon's tip over 10,000 tasks done for this year: the look the main window takes once a
// second (nothing changed: no search, no allocation), and the search with the text it makes when
// something did change.
#include <benchmark/benchmark.h>

#include "bench/CountingAllocator.h"
#include "bench/SampleTasks.h"
#include "ui/main/TrayTip.h"

namespace {

const SystemTime kNow{2024, 3, 14, 10, 0, 0, 0, 4};

// Yearly tasks fired this year: each one's next moment is searched for in the next year.
void FillDoneYearly(Store& store, int count) {
  for (int i = 0; i < count; ++i) {
    Task task = MakeTask(i);
    task.recurrence = EveryYear;
    task.status = StatusDoneToday;
    task.lastRun = kNow;
    store.tasks.push_back(task);
  }
}

void BM_TrayTipLookNothingChanged(benchmark::State& state) {
  Store store;
  FillDoneYearly(store, static_cast<int>(state.range(0)));
  NextMomentWatch watch;
  watch.Composed(store.composedSaves, kNow, ComposeTrayTip(store, kNow).next);
  SystemTime now = kNow;
  const uint64_t before = AllocationCount();
  for (auto _ : state) {
    now.second = static_cast<uint16_t>((now.second + 1) % 60);
    std::lock_guard lock(store.mutex);
    if (watch.Due(store.composedSaves, now)) return state.SkipWithError("composes again");
  }
  state.counters["allocs_per_look"] = benchmark::Counter(
      static_cast<double>(AllocationCount() - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TrayTipLookNothingChanged)->Arg(10000);

void BM_ComposeTrayTip(benchmark::State& state) {
  Store store;
  FillDoneYearly(store, static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ComposeTrayTip(store, kNow));
}
BENCHMARK(BM_ComposeTrayTip)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
