// Loading and saving Data.ini with 1,000 and 10,000 realistic tasks: in memory (the program's
// own work) and on the disk of this machine (write, fsync, rename).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/PosixFiles.h"
#include "storage/DataFile.h"
#include "tests/unit/FakePlatform.h"

namespace {

const std::string kDataPath = "C:\\Vornakel\\Data.ini";

// Messages of about forty cp1251 bytes, some on two lines.
const std::array<const char*, 6> kMessages = {
    "Позвонить в банк насчёт перевода денег",  "Забрать детей из школы\r\nи купить хлеба",
    "Оплатить интернет и мобильную связь",     "Совещание у директора в 11 часов",
    "Принять таблетки после обеда, не забыть", "День рождения Ольги\r\nкупить подарок"};

Ttask MakeTask(int i) {
  Ttask task;
  task.Mode = i % 11;
  task.SetSsec((i * 37) % 86400);
  task.Year = 2024 + i % 3;
  task.Month = 1 + i % 12;
  task.Day = 1 + i % 28;
  task.Text = kMessages[static_cast<size_t>(i) % kMessages.size()];
  task.ShowMessage = i % 7 != 0;
  task.Sound = i % 3 != 0;
  task.DeleteAfter = i % 13 == 0;
  task.RunFile = i % 10 == 0;
  if (task.RunFile) task.FileName = "C:\\Program Files\\Утилиты\\backup.exe";
  task.Status = i % 4;
  task.PrevY = 2024;
  task.PrevM = 3;
  task.PrevD = 14;
  task.PrevH = 9;
  task.PrevMS = task.Status == StatusDoneToday;
  task.Armed = 1;
  return task;
}

void FillStore(Store& store, int count) {
  store.Session.WinW = 718;
  store.Session.WinH = 538;
  store.Session.LastOD = "C:\\Program Files\\Утилиты\\";
  store.Tasks.clear();
  for (int i = 0; i < count; ++i) store.Tasks.push_back(MakeTask(i));
}

// The bytes of a file of `count` tasks, as SaveData writes it.
std::string ComposedFile(int count) {
  Store store;
  store.DataPath = kDataPath;
  FillStore(store, count);
  FakePlatform platform;
  SaveData(store, platform);
  return platform.files.files[kDataPath].bytes;
}

void BM_SaveData(benchmark::State& state) {
  Store store;
  store.DataPath = kDataPath;
  FillStore(store, static_cast<int>(state.range(0)));
  FakePlatform platform;
  for (auto _ : state) {
    if (SaveData(store, platform)) state.SkipWithError("save failed");
    benchmark::DoNotOptimize(store.OutBuffer.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(store.OutBuffer.size()));
}
BENCHMARK(BM_SaveData)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadData(benchmark::State& state) {
  FakePlatform platform;
  platform.files.files[kDataPath].bytes = ComposedFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<Store>();
    store->DataPath = kDataPath;
    state.ResumeTiming();
    if (LoadData(*store, platform, [] {})) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(store->Tasks.data());
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(platform.files.files[kDataPath].bytes.size()));
}
BENCHMARK(BM_LoadData)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same with a real file in the temporary folder.
class DiskPlatform : public FakePlatform {
 public:
  PosixFiles disk;
  FileOps& Files() override { return disk; }
};

std::string DiskPath() {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/vornakel_bench_" + std::to_string(getpid()) +
         "_Data.ini";
}

void BM_SaveDataToDisk(benchmark::State& state) {
  Store store;
  store.DataPath = DiskPath();
  FillStore(store, static_cast<int>(state.range(0)));
  DiskPlatform platform;
  for (auto _ : state)
    if (SaveData(store, platform)) state.SkipWithError("save failed");
  std::remove(store.DataPath.c_str());
}
BENCHMARK(BM_SaveDataToDisk)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadDataFromDisk(benchmark::State& state) {
  const std::string path = DiskPath();
  {
    Store store;
    store.DataPath = path;
    FillStore(store, static_cast<int>(state.range(0)));
    DiskPlatform platform;
    if (SaveData(store, platform)) state.SkipWithError("save failed");
  }
  DiskPlatform platform;
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<Store>();
    store->DataPath = path;
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
