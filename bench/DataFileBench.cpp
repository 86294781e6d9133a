// Loading and saving Data.ini with 1,000 and 10,000 realistic tasks: in memory (the program's
// own work) and on the disk of this machine (write, fsync, rename).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

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

void BM_LoadData(benchmark::State& state) {
  FakePlatform platform;
  platform.files.files[kDataPath].bytes = ComposedFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<Store>();
    store->dataPath = kDataPath;
    state.ResumeTiming();
    if (LoadData(*store, platform, [] {})) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(store->tasks.data());
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
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
