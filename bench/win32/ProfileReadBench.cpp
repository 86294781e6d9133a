// The same Data.ini of 1,000 tasks read two ways under Wine:
//  (a) one GetPrivateProfileStringA call per key, 256-byte buffer: 15 settings keys and 20 keys
//      per task, as a reader built on the profile API does it;
//  (b) LoadData: the file read once through Win32FileOps and indexed once.
// Both readings must give the same settings and tasks; a difference is a functional failure.
//
// Usage: vornakel_bench_profile_read.exe [runs of (a), default 5] [runs of (b), default 21]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/SampleTasks.h"
#include "bench/win32/Figures.h"
#include "core/IntConversion.h"
#include "storage/DataFile.h"
#include "tests/support/TestFolder.h"
#include "win32/Text.h"
#include "win32/Win32Platform.h"

namespace {

constexpr int kTasks = 1000;
constexpr DWORD kBufferSize = 256;

// One profile call per value, each converted the way the program converts it.
class ProfileApiReader {
 public:
  explicit ProfileApiReader(const std::string& path) : path_(path) {}

  void EnterSection(std::string name) { section_ = std::move(name); }
  bool Failed() const { return failed_; }
  long Calls() const { return calls_; }

  std::string Get(const char* key, const char* missing) {
    char buffer[kBufferSize];
    ++calls_;
    const DWORD length = GetPrivateProfileStringA(section_.c_str(), key, missing, buffer,
                                                  kBufferSize, path_.c_str());
    return std::string(buffer, length);
  }

  template <typename Field>
  void Int(const char* key, int32_t missing, Field& field) {
    const auto number = StrToInt32(Get(key, std::to_string(missing).c_str()));
    if (!number) failed_ = true;
    field = static_cast<Field>(number.value_or(0));  // words keep the low 16 bits
  }
  void Flag(const char* key, bool missing, bool& field) {
    field = Get(key, missing ? "1" : "0").starts_with('1');
  }
  void Message(const char* key, std::string& field) {
    field.clear();
    for (char c : Get(key, "")) {
      if (c == '\x01')
        field += "\r\n";
      else
        field += c;
    }
  }

 private:
  std::string path_;
  std::string section_;
  bool failed_ = false;
  long calls_ = 0;
};

bool ReadWithProfileApi(const std::string& path, Settings& settings, std::vector<Task>& tasks,
                        long& calls) {
  ProfileApiReader reader(path);
  reader.EnterSection("SETTINGS");
  reader.Int("WinW", 718, settings.windowWidth);
  reader.Int("WinH", 538, settings.windowHeight);
  reader.Int("WinX", 0, settings.windowLeft);
  reader.Int("WinY", 0, settings.windowTop);
  reader.Flag("WinS", true, settings.startWithWindows);
  reader.Flag("Tray", true, settings.useTray);
  reader.Flag("WinMax", false, settings.maximised);
  reader.Flag("SMin", false, settings.startHidden);
  settings.lastFileFolder = reader.Get("LastOD", "");
  reader.Int("Ln0", 33, settings.columnWidths[0]);
  reader.Int("Ln1", 230, settings.columnWidths[1]);
  reader.Int("Ln2", 210, settings.columnWidths[2]);
  reader.Int("Ln3", 130, settings.columnWidths[3]);
  reader.Int("Ln4", 107, settings.columnWidths[4]);
  reader.Int("TasksN", 0, settings.taskCount);
  tasks.assign(static_cast<size_t>(std::max(settings.taskCount, 0)), Task{});
  for (int32_t n = 0; n < settings.taskCount; ++n) {
    Task& task = tasks[static_cast<size_t>(n)];
    reader.EnterSection("TASK" + std::to_string(n));
    reader.Int("Mod", EveryDay, task.recurrence);
    int32_t ssec = 0;
    reader.Int("Ssec", 9 * 3600, ssec);
    task.SetSecondOfDay(ssec);
    reader.Int("Year", 0, task.year);
    reader.Int("Mon", 0, task.month);
    reader.Int("Day", 0, task.day);
    reader.Int("Stat", StatusActive, task.status);
    task.fileName = reader.Get("FN", "");
    reader.Message("Tex", task.message);
    reader.Flag("Del", false, task.deleteAfter);
    reader.Flag("NM", true, task.showMessage);
    reader.Flag("Ex", false, task.runFile);
    reader.Flag("OFF", false, task.shutDown);
    reader.Flag("Snd", true, task.beep);
    reader.Int("PrevY", 0, task.lastRun.year);
    reader.Int("PrevM", 0, task.lastRun.month);
    reader.Int("PrevD", 0, task.lastRun.day);
    reader.Int("PrevH", 0, task.lastRun.hour);
    reader.Int("PrevMin", 0, task.lastRun.minute);
    reader.Int("PrevS", 0, task.lastRun.second);
    reader.Int("PrevMS", 0, task.doneThisPeriod);
  }
  calls = reader.Calls();
  return !reader.Failed();
}

bool SameSettings(const Settings& a, const Settings& b) {
  return a.windowWidth == b.windowWidth && a.windowHeight == b.windowHeight &&
         a.windowLeft == b.windowLeft && a.windowTop == b.windowTop &&
         a.startWithWindows == b.startWithWindows && a.useTray == b.useTray &&
         a.maximised == b.maximised && a.startHidden == b.startHidden &&
         a.lastFileFolder == b.lastFileFolder && a.columnWidths == b.columnWidths &&
         a.taskCount == b.taskCount;
}

bool SameTask(const Task& a, const Task& b) {
  return a.recurrence == b.recurrence && a.secondOfDay == b.secondOfDay && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second && a.year == b.year && a.month == b.month &&
         a.day == b.day && a.message == b.message && a.deleteAfter == b.deleteAfter &&
         a.runFile == b.runFile && a.shutDown == b.shutDown && a.beep == b.beep &&
         a.showMessage == b.showMessage && a.fileName == b.fileName && a.status == b.status &&
         a.lastRun.year == b.lastRun.year && a.lastRun.month == b.lastRun.month &&
         a.lastRun.day == b.lastRun.day && a.lastRun.hour == b.lastRun.hour &&
         a.lastRun.minute == b.lastRun.minute && a.lastRun.second == b.lastRun.second &&
         a.doneThisPeriod == b.doneThisPeriod;
}

int RunsFrom(int argc, char** argv, int position, int fallback) {
  return argc > position ? std::max(1, atoi(argv[position])) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  const int runsA = RunsFrom(argc, argv, 1, 5);
  const int runsB = RunsFrom(argc, argv, 2, 21);
  Verdict verdict;
  TestFolder folder(L"vornakel-bench");
  Win32Platform platform;

  const std::string path = ToUtf8(folder.File(L"Data.ini"));
  {
    Store store;
    store.dataPath = path;
    FillStore(store, kTasks);
    if (const auto error = SaveData(store, platform)) verdict.Fail("writing Data.ini: " + *error);
  }
  const auto bytes = ReadBytes(folder.File(L"Data.ini"));
  printf("Data.ini: %d tasks, %zu bytes, %s\n", kTasks, bytes ? bytes->size() : 0, path.c_str());

  // (a)
  std::vector<double> timesA;
  Settings sessionA;
  std::vector<Task> tasksA;
  long calls = 0;
  for (int run = 0; run < runsA; ++run) {
    const int64_t start = CounterNow();
    const bool read = ReadWithProfileApi(path, sessionA, tasksA, calls);
    timesA.push_back(CounterToMs(CounterNow() - start));
    verdict.Check(read, "(a) a profile value is not a whole number");
    printf("  (a) run %d: %.1f ms\n", run + 1, timesA.back());
    fflush(stdout);
  }

  // (b), each run into a fresh store, as at start-up. The process's first user32 call (LoadData
  // asks for the work area) connects to the display, which the program has done long before it
  // loads; that is not reading.
  platform.WorkArea();
  std::vector<double> timesB;
  std::unique_ptr<Store> store;
  for (int run = 0; run < runsB; ++run) {
    store = std::make_unique<Store>();
    store->dataPath = path;
    const int64_t start = CounterNow();
    const auto error = LoadData(*store, platform, [] {});
    timesB.push_back(CounterToMs(CounterNow() - start));
    if (error) verdict.Fail("(b) LoadData: " + *error);
    if (run == 0) printf("  (b) run 1: %.2f ms\n", timesB.back());
  }

  // Both ways must agree, and with what was written.
  verdict.Check(SameSettings(sessionA, store->settings), "the settings differ between (a) and (b)");
  verdict.Check(tasksA.size() == kTasks && store->tasks.size() == kTasks, "task counts differ");
  int differing = 0;
  for (size_t i = 0; i < tasksA.size() && i < store->tasks.size(); ++i)
    differing += !SameTask(tasksA[i], store->tasks[i]) || !SameTask(tasksA[i], MakeTask(int(i)));
  verdict.Check(differing == 0, std::to_string(differing) + " task(s) differ between (a) and (b)");
  verdict.Check(calls == 15 + 20 * kTasks, "(a) made " + std::to_string(calls) + " calls");

  const Distribution a = Summarise(timesA);
  const Distribution b = Summarise(timesB);
  printf("(a) GetPrivateProfileStringA per key, %ld calls, buffer %lu: %s\n", calls,
         static_cast<unsigned long>(kBufferSize), Describe(a).c_str());
  printf("(b) LoadData (Win32FileOps, Win32Platform): %s\n", Describe(b).c_str());
  printf("ratio of medians (a)/(b): %.0fx (target >= 300x)\n", a.median / b.median);
  printf("values: (a) and (b) agree on the settings and %zu tasks: %s\n", tasksA.size(),
         differing == 0 ? "yes" : "no");
  return verdict.Finish("profile_read");
}
