// The work a start adds to find what was missed: the table's tasks stepped from the last moment
// seen to now, one moment after the other (a year at most; further back only counted). The
// first argument: 10,000 sample tasks; the second: days since the last moment seen (0: a file
// without one, the start as before). Its figure is the whole of what a start adds.
#include <benchmark/benchmark.h>

#include "bench/SampleTasks.h"
#include "checker/MissedReminders.h"
#include "tests/support/FakePlatform.h"

namespace {

void BM_FindMissedAtStart(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const int days = static_cast<int>(state.range(1));
  Store store;
  FillStore(store, count);
  FakePlatform platform;
  const LocalMoment now = MomentOf(platform.now);
  const LocalMoment seen = AddMinutes(now, -days * 1440);
  size_t rows = 0;
  for (auto _ : state) {
    // A file without the moment: nothing is looked for.
    if (days == 0) continue;
    const auto missed = FindMissed(store, seen, platform.now, &platform.now);
    rows = missed.size();
    benchmark::DoNotOptimize(missed.data());
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_FindMissedAtStart)
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({10000, 40})
    ->Args({10000, 365})
    ->Args({10000, 730})
    ->Unit(benchmark::kMillisecond);

}  // namespace
