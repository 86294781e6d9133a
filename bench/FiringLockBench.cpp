// How long the window thread waits for the table's lock while the checker fires a task that
// beeps, starts a file and saves. The melody takes its real 180 ms here, the file start a slow
// shell's 50 ms, and the save goes to a real file that is flushed to the disk; meanwhile a
// second thread takes the lock every millisecond, as the list's drawing and the commands do.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "bench/PosixFiles.h"
#include "bench/SampleTasks.h"
#include "checker/Checker.h"
#include "core/RowTexts.h"

namespace {

using Clock = std::chrono::steady_clock;

class SlowEffectsPlatform : public DiskPlatform {
 public:
  void Beep(uint32_t frequency, uint32_t milliseconds) override {
    FakePlatform::Beep(frequency, milliseconds);
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  void OpenFile(const std::string& fileName, const std::string& folder) override {
    FakePlatform::OpenFile(fileName, folder);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
};

void BM_WindowWaitWhileATaskFires(benchmark::State& state) {
  Store store;
  store.dataPath = DiskPath();
  SlowEffectsPlatform platform;
  for (int i = 0; i < 1000; ++i) {
    Task task = MakeTask(i);
    task.status = StatusPaused;
    task.armed = true;
    task.id = store.NewId();
    store.tasks.push_back(task);
    BuildRow(store, i, true);
  }
  Task& firing = store.tasks[0];
  firing.recurrence = EveryDay;
  firing.SetSecondOfDay(0);
  firing.showMessage = firing.beep = firing.runFile = true;
  firing.shutDown = firing.deleteAfter = false;
  firing.fileName = "C:\\Tools\\report.bat";
  Checker checker(store, platform);

  double longestMs = 0;
  for (auto _ : state) {
    {
      std::lock_guard lock(store.mutex);
      store.tasks[0].status = StatusActive;
      store.tasks[0].doneThisPeriod = 0;
    }
    std::atomic<bool> passEnded{false};
    std::thread pass([&] {
      checker.MakePass();
      passEnded = true;
    });
    while (!passEnded) {
      const Clock::time_point asked = Clock::now();
      { std::lock_guard lock(store.mutex); }
      const std::chrono::duration<double, std::milli> waited = Clock::now() - asked;
      longestMs = std::max(longestMs, waited.count());
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    pass.join();
  }
  const auto reminders =
      std::count_if(platform.actions.begin(), platform.actions.end(),
                    [](const std::string& action) { return action.rfind("reminder", 0) == 0; });
  if (reminders != static_cast<long>(state.iterations()))
    return state.SkipWithError("the task did not fire in every pass");
  state.counters["longest_wait_ms"] = longestMs;
}
BENCHMARK(BM_WindowWaitWhileATaskFires)
    ->Iterations(10)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
