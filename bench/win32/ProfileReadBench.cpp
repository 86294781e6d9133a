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
#include "tests/win32/TestFolder.h"
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
  void Flag(const char* key, bool missing, uint8_t& field) {
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

bool ReadWithProfileApi(const std::string& path, TSreda& session, std::vector<Ttask>& tasks,
                        long& calls) {
  ProfileApiReader reader(path);
  reader.EnterSection("SETTINGS");
  reader.Int("WinW", 718, session.WinW);
  reader.Int("WinH", 538, session.WinH);
  reader.Int("WinX", 0, session.WinX);
  reader.Int("WinY", 0, session.WinY);
  reader.Flag("WinS", true, session.WinS);
  reader.Flag("Tray", true, session.Tray);
  reader.Flag("WinMax", false, session.WinMax);
  reader.Flag("SMin", false, session.SMin);
  session.LastOD = reader.Get("LastOD", "");
  reader.Int("Ln0", 33, session.Ln0);
  reader.Int("Ln1", 230, session.Ln1);
  reader.Int("Ln2", 210, session.Ln2);
  reader.Int("Ln3", 130, session.Ln3);
  reader.Int("Ln4", 107, session.Ln4);
  reader.Int("TasksN", 0, session.TasksN);
  tasks.assign(static_cast<size_t>(std::max(session.TasksN, 0)), Ttask{});
  for (int32_t n = 0; n < session.TasksN; ++n) {
    Ttask& task = tasks[static_cast<size_t>(n)];
    reader.EnterSection("TASK" + std::to_string(n));
    reader.Int("Mod", ModeDaily, task.Mode);
    int32_t ssec = 0;
    reader.Int("Ssec", 9 * 3600, ssec);
    task.SetSsec(ssec);
    reader.Int("Year", 0, task.Year);
    reader.Int("Mon", 0, task.Month);
    reader.Int("Day", 0, task.Day);
    reader.Int("Stat", StatusActive, task.Status);
    task.FileName = reader.Get("FN", "");
    reader.Message("Tex", task.Text);
    reader.Flag("Del", false, task.DeleteAfter);
    reader.Flag("NM", true, task.ShowMessage);
    reader.Flag("Ex", false, task.RunFile);
    reader.Flag("OFF", false, task.ShutDown);
    reader.Flag("Snd", true, task.Sound);
    reader.Int("PrevY", 0, task.PrevY);
    reader.Int("PrevM", 0, task.PrevM);
    reader.Int("PrevD", 0, task.PrevD);
    reader.Int("PrevH", 0, task.PrevH);
    reader.Int("PrevMin", 0, task.PrevMin);
    reader.Int("PrevS", 0, task.PrevS);
    reader.Int("PrevMS", 0, task.PrevMS);
  }
  calls = reader.Calls();
  return !reader.Failed();
}

bool SameSettings(const TSreda& a, const TSreda& b) {
  return a.WinW == b.WinW && a.WinH == b.WinH && a.WinX == b.WinX && a.WinY == b.WinY &&
         a.WinS == b.WinS && a.Tray == b.Tray && a.WinMax == b.WinMax && a.SMin == b.SMin &&
         a.LastOD == b.LastOD && a.Ln0 == b.Ln0 && a.Ln1 == b.Ln1 && a.Ln2 == b.Ln2 &&
         a.Ln3 == b.Ln3 && a.Ln4 == b.Ln4 && a.TasksN == b.TasksN;
}

bool SameTask(const Ttask& a, const Ttask& b) {
  return a.Mode == b.Mode && a.Ssec == b.Ssec && a.Hour == b.Hour && a.Minute == b.Minute &&
         a.Second == b.Second && a.Year == b.Year && a.Month == b.Month && a.Day == b.Day &&
         a.Text == b.Text && a.DeleteAfter == b.DeleteAfter && a.RunFile == b.RunFile &&
         a.ShutDown == b.ShutDown && a.Sound == b.Sound && a.ShowMessage == b.ShowMessage &&
         a.FileName == b.FileName && a.Status == b.Status && a.PrevY == b.PrevY &&
         a.PrevM == b.PrevM && a.PrevD == b.PrevD && a.PrevH == b.PrevH && a.PrevMin == b.PrevMin &&
         a.PrevS == b.PrevS && a.PrevMS == b.PrevMS;
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

  const std::string path = ToCp1251(folder.File(L"Data.ini"));
  {
    Store store;
    store.DataPath = path;
    FillStore(store, kTasks);
    if (const auto error = SaveData(store, platform)) verdict.Fail("writing Data.ini: " + *error);
  }
  const auto bytes = ReadBytes(folder.File(L"Data.ini"));
  printf("Data.ini: %d tasks, %zu bytes, %s\n", kTasks, bytes ? bytes->size() : 0, path.c_str());

  // (a)
  std::vector<double> timesA;
  TSreda sessionA;
  std::vector<Ttask> tasksA;
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
    store->DataPath = path;
    const int64_t start = CounterNow();
    const auto error = LoadData(*store, platform, [] {});
    timesB.push_back(CounterToMs(CounterNow() - start));
    if (error) verdict.Fail("(b) LoadData: " + *error);
    if (run == 0) printf("  (b) run 1: %.2f ms\n", timesB.back());
  }

  // Both ways must agree, and with what was written.
  verdict.Check(SameSettings(sessionA, store->Session), "the settings differ between (a) and (b)");
  verdict.Check(tasksA.size() == kTasks && store->Tasks.size() == kTasks, "task counts differ");
  int differing = 0;
  for (size_t i = 0; i < tasksA.size() && i < store->Tasks.size(); ++i)
    differing += !SameTask(tasksA[i], store->Tasks[i]) || !SameTask(tasksA[i], MakeTask(int(i)));
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
