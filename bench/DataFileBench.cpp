// Loading and saving Data.ini with 1,000 and 10,000 realistic tasks: in memory (the program's
// own work) and on the disk of this machine (write, fsync, rename), beside a minimal
// split-and-parse of the same bytes: what reading them can cost at the least.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "bench/CountingAllocator.h"
#include "bench/PosixFiles.h"
#include "bench/SampleTasks.h"
#include "storage/DataFile.h"
#include "tests/support/FakePlatform.h"

namespace {

const std::string kDataPath = "C:\\Vornakel\\Data.ini";

// The bytes of a file of `count` tasks, as SaveData writes it.
std::string ComposedFile(int count) {
  Store store;
  store.dataPath = kDataPath;
  FillStore(store, count);
  FakePlatform platform;
  SaveData(store, platform);
  return platform.files.files[kDataPath].bytes;
}

void BM_SaveData(benchmark::State& state) {
  Store store;
  store.dataPath = kDataPath;
  FillStore(store, static_cast<int>(state.range(0)));
  FakePlatform platform;
  for (auto _ : state) {
    if (SaveData(store, platform)) state.SkipWithError("save failed");
    benchmark::DoNotOptimize(store.outBuffer.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(store.outBuffer.size()));
}
BENCHMARK(BM_SaveData)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The least a reader of the file must do: split it into lines, each line at its "=", and take
// every value that is a number as one. No names are looked at, nothing is kept.
void BM_SplitAndParse(benchmark::State& state) {
  const std::string bytes = ComposedFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    int64_t sum = 0;
    size_t lines = 0;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
      const char* lineEnd = p;
      while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n') ++lineEnd;
      const std::string_view line(p, static_cast<size_t>(lineEnd - p));
      if (const size_t equals = line.find('='); equals != std::string_view::npos) {
        int32_t number = 0;
        const auto [rest, error] = std::from_chars(line.data() + equals + 1, lineEnd, number);
        if (error == std::errc() && rest == lineEnd) sum += number;
      }
      ++lines;
      p = lineEnd;
      while (p < end && (*p == '\r' || *p == '\n')) ++p;
    }
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_SplitAndParse)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadData(benchmark::State& state) {
  FakePlatform platform;
  platform.files.files[kDataPath].bytes = ComposedFile(static_cast<int>(state.range(0)));
  uint64_t peakBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<Store>();
    store->dataPath = kDataPath;
    const uint64_t before = HeapBytes();
    ResetPeakHeap();
    state.ResumeTiming();
    if (LoadData(*store, platform, [] {})) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(store->tasks.data());
    state.PauseTiming();
    peakBytes = std::max(peakBytes, PeakHeapBytes() - before);
    store.reset();
    state.ResumeTiming();
  }
  // The most the heap grew by during one load (the file's bytes read, the table, its texts).
  state.counters["peak_heap_B_per_task"] =
      static_cast<double>(peakBytes) / static_cast<double>(state.range(0));
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(platform.files.files[kDataPath].bytes.size()));
}
BENCHMARK(BM_LoadData)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SaveDataToDisk(benchmark::State& state) {
  Store store;
  store.dataPath = DiskPath();
  FillStore(store, static_cast<int>(state.range(0)));
  DiskPlatform platform;
  for (auto _ : state)
    if (SaveData(store, platform)) state.SkipWithError("save failed");
  std::remove(store.dataPath.c_str());
}
BENCHMARK(BM_SaveDataToDisk)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadDataFromDisk(benchmark::State& state) {
  const std::string path = DiskPath();
  {
    Store store;
    store.dataPath = path;
    FillStore(store, static_cast<int>(state.range(0)));
    DiskPlatform platform;
    if (SaveData(store, platform)) state.SkipWithError("save failed");
  }
  DiskPlatform platform;
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<Store>();
    store->dataPath = path;
    state.ResumeTiming();
    if (LoadData(*store, platform, [] {})) state.SkipWithError("load failed");
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_LoadDataFromDisk)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
