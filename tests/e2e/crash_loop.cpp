// Kills vornakel.exe at random moments while it saves Data.ini again and again, and checks after
// every kill that the file still loads with the program's own reader and has lost nothing.
//
// Each iteration writes a fresh set of tasks (the baseline) whose moments have all passed:
// daily tasks at 00:00:00, done-for-today tasks last run in 2000 (re-activated, then fired:
// two saves each), one-time tasks in 2000 with and without "delete after run", and tasks that
// must never change (paused, done, one-time in 2099). The program starts, fires them one after
// the other with a full save after each, and is terminated at a random moment of that storm.
// None of the tasks shows a message, beeps or starts a file, so nothing waits for a user.
//
//   vornakel_crash_loop.exe loop <iterations> <seed> [tasks]   vornakel.exe beside this tool
//   vornakel_crash_loop.exe show <Data.ini>                    one line per task, for scripts
//
// Exit codes: 0 every check passed, 1 a check failed, 2 bad usage, 3 the program could not run.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Platform.h"
#include "core/Store.h"
#include "storage/AtomicReplace.h"
#include "storage/DataFile.h"
#include "win32/LocalTime.h"
#include "win32/Text.h"
#include "win32/Win32FileOps.h"

namespace {

// ---- the program's storage, driven from here ------------------------------------------------

// Keeps the file a save would write in memory: composing a table gives its exact bytes.
class MemoryFileOps : public FileOps {
 public:
  std::optional<std::string> content;  // what reading gives
  std::string written;

  std::optional<std::string> ReadAll(const std::string&) override { return content; }
  bool Exists(const std::string&) override { return content.has_value(); }
  bool IsReadOnly(const std::string&) override { return false; }
  std::unique_ptr<OutputFile> Create(const std::string&) override {
    class Buffer : public OutputFile {
     public:
      explicit Buffer(std::string& out) : out_(out) { out_.clear(); }
      size_t Write(std::string_view bytes) override {
        out_.append(bytes);
        return bytes.size();
      }
      bool FlushAndClose() override { return true; }

     private:
      std::string& out_;
    };
    return std::make_unique<Buffer>(written);
  }
  bool Replace(const std::string&, const std::string&) override { return true; }
  bool Remove(const std::string&) override { return true; }
  bool CreateFolder(const std::string&) override { return true; }
};

// What loading and composing ask of the system; files come from the given FileOps.
class ToolPlatform : public Platform {
 public:
  explicit ToolPlatform(FileOps& files) : files_(files) {}
  SystemTime LocalTime() override { return LocalSystemTime(); }
  WorkAreaRect WorkArea() override { return {0, 0, 1024, 738}; }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  void ShowError(const std::string&) override {}
  FileOps& Files() override { return files_; }
  void RowsChanged() override {}

 private:
  FileOps& files_;
};

// The bytes SaveData writes for this table.
std::string Compose(Store& store) {
  MemoryFileOps memory;
  ToolPlatform platform(memory);
  store.dataPath = "memory";
  SaveData(store, platform);
  return memory.written;
}

struct Loaded {
  std::optional<std::string> error;  // LoadData's error text
  Store store;
};

// The file's bytes as LoadData reads them. Reading once matters while the program still
// saves: the checks must look at the very bytes that were loaded.
std::unique_ptr<Loaded> LoadBytes(const std::string& bytes) {
  auto loaded = std::make_unique<Loaded>();
  MemoryFileOps files;
  files.content = bytes;
  ToolPlatform platform(files);
  loaded->store.dataPath = "Data.ini";
  loaded->error = LoadData(loaded->store, platform, nullptr);
  return loaded;
}

std::unique_ptr<Loaded> LoadFile(const std::string& path) {
  auto loaded = std::make_unique<Loaded>();
  Win32FileOps files;
  ToolPlatform platform(files);
  loaded->store.dataPath = path;
  loaded->error = LoadData(loaded->store, platform, nullptr);
  return loaded;
}

std::optional<std::string> ReadBytes(const std::string& path) {
  Win32FileOps files;
  return files.ReadAll(path);
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(FromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size() && FlushFileBuffers(file);
  CloseHandle(file);
  return ok;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesW(FromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// ---- the tasks of one iteration -------------------------------------------------------------

enum class Kind {
  Daily,        // active, due: fires once (1 -> 3)
  Rearm,        // done for today, last run in 2000: re-activated (3 -> 1), then fires (1 -> 3)
  Once,         // one-time in 2000: fires (1 -> 0)
  OnceDelete,   // one-time in 2000, delete after run: fires and is gone
  Untouchable,  // paused, done, or one-time in 2099: never changes
};

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::Daily:
      return "daily";
    case Kind::Rearm:
      return "re-armed";
    case Kind::Once:
      return "once";
    case Kind::OnceDelete:
      return "once+delete";
    case Kind::Untouchable:
      return "untouchable";
  }
  return "?";
}

struct Planned {
  Kind kind;
  Task task;
};

// Messages are unique (they name the task) and survive the file unchanged: no blanks or
// quotation marks at the ends, at most 255 bytes, line breaks only as CR LF.
std::string MessageFor(int number, std::mt19937& random) {
  static const char* const kWords[] = {"Позвонить", "в банк", "отчёт", "Ёжик", "meeting",
                                       "купить",    "молоко", "№ 7",   "50%",  "ДР мамы",
                                       "tab\there", "backup", "Щука",  "ъ"};
  std::string text = "Задание " + std::to_string(number);
  const int words = std::uniform_int_distribution<int>(0, 6)(random);
  for (int w = 0; w < words; ++w) {
    const bool lineBreak = std::uniform_int_distribution<int>(0, 5)(random) == 0;
    text += lineBreak ? "\r\n" : " ";
    text += kWords[std::uniform_int_distribution<size_t>(0, std::size(kWords) - 1)(random)];
  }
  return text;
}

Task MakeTask(Kind kind, int number, std::mt19937& random) {
  Task task;
  task.message = MessageFor(number, random);
  task.showMessage = 0;
  task.beep = 0;
  task.runFile = 0;
  task.shutDown = 0;
  task.deleteAfter = 0;
  task.status = StatusActive;
  task.year = 2000;
  task.month = std::uniform_int_distribution<int>(1, 12)(random);
  task.day = std::uniform_int_distribution<int>(1, 28)(random);
  task.lastRun.year = 2000;
  task.lastRun.month = 1;
  task.lastRun.day = 1;
  task.lastRun.hour = 9;
  task.doneThisPeriod = 0;
  task.recurrence = EveryDay;
  task.SetSecondOfDay(0);  // midnight: due at every moment of the day
  switch (kind) {
    case Kind::Daily:
      break;
    case Kind::Rearm:
      task.status = StatusDoneToday;
      task.doneThisPeriod = 1;
      break;
    case Kind::Once:
      task.recurrence = Once;
      task.SetSecondOfDay(std::uniform_int_distribution<int>(0, 86399)(random));
      break;
    case Kind::OnceDelete:
      task.recurrence = Once;
      task.deleteAfter = 1;
      task.SetSecondOfDay(std::uniform_int_distribution<int>(0, 86399)(random));
      break;
    case Kind::Untouchable:
      switch (std::uniform_int_distribution<int>(0, 2)(random)) {
        case 0:  // paused, of any recurrence
          task.recurrence = std::uniform_int_distribution<int>(0, 10)(random);
          task.status = StatusPaused;
          task.deleteAfter = std::uniform_int_distribution<int>(0, 1)(random);
          break;
        case 1:  // a one-time task that has fired
          task.recurrence = Once;
          task.status = StatusDone;
          break;
        default:  // a one-time task far ahead
          task.recurrence = Once;
          task.year = 2099;
          task.deleteAfter = 1;
          break;
      }
      break;
  }
  return task;
}

std::vector<Planned> PlanTasks(int count, std::mt19937& random) {
  std::vector<Planned> plan;
  for (int n = 0; n < count; ++n) {
    const int roll = std::uniform_int_distribution<int>(0, 99)(random);
    const Kind kind = roll < 30   ? Kind::Daily
                      : roll < 50 ? Kind::Rearm
                      : roll < 65 ? Kind::Once
                      : roll < 85 ? Kind::OnceDelete
                                  : Kind::Untouchable;
    plan.push_back({kind, MakeTask(kind, n + 1, random)});
  }
  return plan;
}

// The baseline file: settings that keep the desktop quiet (no tray icon, no autostart link).
std::string BaselineBytes(const std::vector<Planned>& plan) {
  Store store;
  Settings& session = store.settings;
  session.windowLeft = 153;
  session.windowTop = 100;
  session.windowWidth = 718;
  session.windowHeight = 538;
  session.startWithWindows = 0;
  session.useTray = 0;
  session.maximised = 0;
  session.startHidden = 0;
  session.columnWidths[0] = 33;
  session.columnWidths[1] = 230;
  session.columnWidths[2] = 210;
  session.columnWidths[3] = 130;
  session.columnWidths[4] = 107;
  for (const Planned& planned : plan) store.tasks.push_back(planned.task);
  return Compose(store);
}

// ---- checking a file against the baseline ---------------------------------------------------

bool SameIdentity(const Task& a, const Task& b) {
  return a.recurrence == b.recurrence && a.secondOfDay == b.secondOfDay && a.year == b.year &&
         a.month == b.month && a.day == b.day && a.message == b.message &&
         a.deleteAfter == b.deleteAfter && a.showMessage == b.showMessage &&
         a.runFile == b.runFile && a.shutDown == b.shutDown && a.beep == b.beep &&
         a.fileName == b.fileName;
}

bool SameLastRun(const Task& a, const Task& b) {
  return a.lastRun.year == b.lastRun.year && a.lastRun.month == b.lastRun.month &&
         a.lastRun.day == b.lastRun.day && a.lastRun.hour == b.lastRun.hour &&
         a.lastRun.minute == b.lastRun.minute && a.lastRun.second == b.lastRun.second;
}

struct Day {
  int year, month, day;
};

// A firing records the pass's date: today, or the day the iteration began (across midnight).
bool FiredOn(const Task& task, const std::vector<Day>& days) {
  return std::any_of(days.begin(), days.end(), [&](const Day& d) {
    return task.lastRun.year == d.year && task.lastRun.month == d.month &&
           task.lastRun.day == d.day;
  });
}

Day Today() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

struct Verdict {
  std::vector<std::string> faults;
  bool unchanged = false;  // the file is still the baseline, byte for byte
  bool settled = false;    // every due task has fired
  int tasks = 0;
};

// Whether task `now` is a state that firing and re-activation can lead `before` to.
std::optional<std::string> CheckTransition(const Planned& before, const Task& now,
                                           const std::vector<Day>& days, bool& settled) {
  const Task& was = before.task;
  if (!SameIdentity(was, now)) return "its message, moment or actions changed";
  const bool untouched =
      now.status == was.status && now.doneThisPeriod == was.doneThisPeriod && SameLastRun(was, now);
  const bool fired = FiredOn(now, days);
  switch (before.kind) {
    case Kind::Untouchable:
    case Kind::OnceDelete:  // a deleted task is gone in the same save that records its firing
      settled = settled && before.kind == Kind::Untouchable;
      if (untouched) return std::nullopt;
      return "changed although it must not change, or changed without being deleted";
    case Kind::Daily:
      if (untouched) {
        settled = false;
        return std::nullopt;
      }
      if (now.status == StatusDoneToday && now.doneThisPeriod == 1 && fired) return std::nullopt;
      if (now.status == StatusActive && now.doneThisPeriod == 0 && fired) {
        settled = false;  // fired before midnight, re-activated after it
        return std::nullopt;
      }
      return "not a state firing leads to (status " + std::to_string(now.status) + ")";
    case Kind::Rearm:
      if (untouched) {
        settled = false;
        return std::nullopt;
      }
      if (now.status == StatusActive && now.doneThisPeriod == 0 &&
          (SameLastRun(was, now) || fired)) {
        settled = false;  // re-activated, not fired yet (again, after midnight)
        return std::nullopt;
      }
      if (now.status == StatusDoneToday && now.doneThisPeriod == 1 && fired) return std::nullopt;
      return "not a state re-activation and firing lead to (status " + std::to_string(now.status) +
             ")";
    case Kind::Once:
      if (untouched) {
        settled = false;
        return std::nullopt;
      }
      if (now.status == StatusDone && now.doneThisPeriod == was.doneThisPeriod && fired)
        return std::nullopt;
      return "not a state firing leads to (status " + std::to_string(now.status) + ")";
  }
  return "unknown kind";
}

// `bytes`: the file as read once from `path` (nothing when it could not be read).
Verdict CheckBytes(const std::string& path, const std::optional<std::string>& bytes,
                   const std::vector<Planned>& plan, const std::string& baseline,
                   const std::vector<Day>& days) {
  Verdict verdict;
  if (!bytes) {
    verdict.faults.push_back("Data.ini is missing or cannot be read");
    return verdict;
  }
  verdict.unchanged = *bytes == baseline;
  auto loaded = LoadBytes(*bytes);
  if (loaded->error) {
    verdict.faults.push_back("Data.ini does not load: " + *loaded->error);
    return verdict;
  }
  const std::vector<Task>& tasks = loaded->store.tasks;
  verdict.tasks = static_cast<int>(tasks.size());
  // A complete file is exactly what the writer composes from what it holds.
  const std::string composed = Compose(loaded->store);
  if (composed != *bytes) {
    const auto differ =
        std::mismatch(composed.begin(), composed.end(), bytes->begin(), bytes->end());
    const size_t at = static_cast<size_t>(differ.second - bytes->begin());
    const size_t from = at < 40 ? 0 : at - 40;
    std::string context;
    for (char c : bytes->substr(from, 60)) context += (c == '\r' || c == '\n') ? '|' : c;
    // Kept for the report: what the writer makes of what was read.
    if (path.find(".selfcheck") == std::string::npos) WriteBytes(path + ".composed", composed);
    verdict.faults.push_back("Data.ini is not a complete file of the program's writer (" +
                             std::to_string(bytes->size()) + " bytes, " +
                             std::to_string(composed.size()) + " composed, first difference at " +
                             std::to_string(at) + ": ..." + context + "...)");
  }

  // Tasks keep their order; only self-deleting ones may be missing.
  bool settled = true;
  size_t next = 0;
  for (size_t i = 0; i < tasks.size(); ++i) {
    size_t match = next;
    while (match < plan.size() && plan[match].task.message != tasks[i].message) ++match;
    if (match == plan.size()) {
      verdict.faults.push_back("task " + std::to_string(i + 1) +
                               " is not in the baseline, or out of order");
      return verdict;
    }
    for (size_t gone = next; gone < match; ++gone)
      if (plan[gone].kind != Kind::OnceDelete)
        verdict.faults.push_back("baseline task " + std::to_string(gone + 1) + " (" +
                                 KindName(plan[gone].kind) + ") was lost");
    if (auto fault = CheckTransition(plan[match], tasks[i], days, settled))
      verdict.faults.push_back("baseline task " + std::to_string(match + 1) + " (" +
                               KindName(plan[match].kind) + "): " + *fault);
    next = match + 1;
  }
  for (size_t gone = next; gone < plan.size(); ++gone)
    if (plan[gone].kind != Kind::OnceDelete)
      verdict.faults.push_back("baseline task " + std::to_string(gone + 1) + " (" +
                               KindName(plan[gone].kind) + ") was lost");
  verdict.settled = settled;
  return verdict;
}

// The checks must catch what they are there for: files that are cut short, lose a task or
// change one. Returns the number of damaged files that passed unnoticed.
int SelfCheck(const std::string& path, const std::vector<Planned>& plan,
              const std::string& baseline) {
  const std::vector<Day> days = {Today()};
  std::vector<std::pair<const char*, std::string>> damaged;
  damaged.push_back({"cut in half", baseline.substr(0, baseline.size() / 2)});
  damaged.push_back({"cut before its last line", baseline.substr(0, baseline.size() - 10)});
  damaged.push_back({"empty", std::string()});
  for (size_t n = 0; n < plan.size(); ++n) {
    if (plan[n].kind != Kind::Daily) continue;
    std::vector<Planned> changed = plan;
    changed.erase(changed.begin() + static_cast<long>(n));
    damaged.push_back({"without a daily task", BaselineBytes(changed)});
    changed = plan;
    changed[n].task.status = StatusDone;
    damaged.push_back({"with a daily task done", BaselineBytes(changed)});
    changed = plan;
    changed[n].task.SetSecondOfDay(60);
    damaged.push_back({"with a daily task moved", BaselineBytes(changed)});
    break;
  }
  int unnoticed = 0;
  for (const auto& [what, bytes] : damaged) {
    if (CheckBytes(path, bytes, plan, baseline, days).faults.empty()) {
      std::printf("FAIL self-check: a file %s passes the checks\n", what);
      ++unnoticed;
    }
  }
  std::printf("self-check: %zu damaged files, %d passed unnoticed\n", damaged.size(), unnoticed);
  return unnoticed;
}

Verdict CheckFile(const std::string& path, const std::vector<Planned>& plan,
                  const std::string& baseline, const std::vector<Day>& days) {
  return CheckBytes(path, ReadBytes(path), plan, baseline, days);
}

// ---- the program's process ------------------------------------------------------------------

std::wstring ToolFolder() {
  wchar_t path[MAX_PATH * 2] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

bool MainWindowExists() { return FindWindowA("TForm1", " Vornakel") != nullptr; }

bool WaitNoMainWindow(DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (MainWindowExists()) {
    if (GetTickCount64() >= end) return false;
    Sleep(10);
  }
  return true;
}

class Program {
 public:
  explicit Program(const std::wstring& folder) {
    std::wstring command = L"\"" + folder + L"vornakel.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &startup, &info_) != FALSE;
    if (started_) CloseHandle(info_.hThread);
  }
  ~Program() {
    if (!started_) return;
    Kill();
    CloseHandle(info_.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return started_; }
  bool Exited() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }
  void Kill() {
    if (!Exited()) TerminateProcess(info_.hProcess, 9);
    WaitForSingleObject(info_.hProcess, 10000);
  }

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// ---- the loop -------------------------------------------------------------------------------

struct Timing {
  double firstSaveMs = 0;  // from the start of the process to the first changed file
  double settledMs = 0;    // to the file in which every due task has fired
};

// A first run without a kill: when the storm begins and ends on this machine, and that it ends
// in the state every firing must lead to.
std::optional<Timing> Calibrate(const std::wstring& folder, const std::string& dataPath,
                                const std::vector<Planned>& plan, const std::string& baseline,
                                int& failures) {
  Timing timing;
  const auto start = std::chrono::steady_clock::now();
  Program program(folder);
  if (!program.started()) return std::nullopt;
  std::string last = baseline;
  while (MsSince(start) < 60000) {
    Sleep(5);
    // A file held open by its writer cannot be read for a moment; that is no damage.
    const auto bytes = ReadBytes(dataPath);
    if (!bytes || *bytes == last) continue;
    last = *bytes;
    if (timing.firstSaveMs == 0) timing.firstSaveMs = MsSince(start);
    const Verdict verdict = CheckBytes(dataPath, bytes, plan, baseline, {Today()});
    for (const auto& fault : verdict.faults) {
      std::printf("FAIL calibration: %s\n", fault.c_str());
      ++failures;
    }
    if (!verdict.faults.empty()) return std::nullopt;
    if (verdict.settled) {
      timing.settledMs = MsSince(start);
      std::printf(
          "calibration: first save after %.0f ms, every due task fired after %.0f ms, "
          "%d tasks left\n",
          timing.firstSaveMs, timing.settledMs, verdict.tasks);
      return timing;
    }
  }
  std::printf("FAIL calibration: the due tasks did not all fire within 60 s\n");
  ++failures;
  return std::nullopt;
}

int Loop(int iterations, unsigned seed, int taskCount) {
  const std::wstring folder = ToolFolder();
  const std::string dataPath = ToUtf8(folder) + "Data.ini";
  const std::string temporary = TemporaryPathFor(dataPath);
  if (!FileExists(ToUtf8(folder) + "vornakel.exe")) {
    std::printf("no vornakel.exe beside the tool\n");
    return 3;
  }
  if (!WaitNoMainWindow(10000)) {
    std::printf("a main window of the program is already open\n");
    return 3;
  }
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // a run cut short still shows how far it came
  std::printf("seed %u, iterations %d, tasks %d\n", seed, iterations, taskCount);
  std::mt19937 random(seed);
  int failures = 0;

  std::vector<Planned> plan = PlanTasks(taskCount, random);
  std::string baseline = BaselineBytes(plan);
  if (!WriteBytes(dataPath, baseline)) {
    std::printf("cannot write %s\n", dataPath.c_str());
    return 3;
  }
  failures += SelfCheck(dataPath + ".selfcheck", plan, baseline);
  const auto timing = Calibrate(folder, dataPath, plan, baseline, failures);
  if (!timing) return failures ? 1 : 3;
  if (!WaitNoMainWindow(10000)) {
    std::printf("FAIL: the killed program's window stayed\n");
    return 1;
  }

  // Kill moments spread over the storm, with a margin on both sides. The storm's place drifts
  // from start to start, so the window follows it: a kill that came too early or too late
  // moves that edge a little toward the moment it was made.
  const double span = std::max(timing->settledMs - timing->firstSaveMs, 50.0);
  double earliest = std::max(0.0, timing->firstSaveMs - 0.2 * span);
  constexpr double kNarrowestMs = 400;
  double latest = std::max(timing->settledMs + 0.1 * span, earliest + kNarrowestMs);
  int beforeFirstSave = 0, midStorm = 0, afterStorm = 0, temporaryLeft = 0;
  const auto loopStart = std::chrono::steady_clock::now();
  for (int iteration = 1; iteration <= iterations; ++iteration) {
    // A temporary file a kill left behind stays: the program's next save must cope with it.
    plan = PlanTasks(taskCount, random);
    baseline = BaselineBytes(plan);
    if (!WriteBytes(dataPath, baseline)) {
      std::printf("cannot write %s\n", dataPath.c_str());
      return 3;
    }
    const std::vector<Day> days = {Today()};
    const double delay = std::uniform_real_distribution<double>(earliest, latest)(random);
    {
      Program program(folder);
      if (!program.started()) {
        std::printf("cannot start vornakel.exe\n");
        return 3;
      }
      Sleep(static_cast<DWORD>(std::max(0.0, delay)));
      if (program.Exited()) {
        std::printf("FAIL iteration %d: the program ended by itself\n", iteration);
        ++failures;
      }
      program.Kill();
    }
    std::vector<Day> checkDays = days;
    checkDays.push_back(Today());
    const Verdict verdict = CheckFile(dataPath, plan, baseline, checkDays);
    const bool leftover = FileExists(temporary);
    temporaryLeft += leftover;
    if (verdict.unchanged) {
      ++beforeFirstSave;
      earliest = std::min(earliest + 0.2 * (delay - earliest), latest - kNarrowestMs);
    } else if (verdict.settled) {
      ++afterStorm;
      latest = std::max(latest - 0.2 * (latest - delay), earliest + kNarrowestMs);
    } else {
      ++midStorm;
    }
    for (const auto& fault : verdict.faults) {
      std::printf("FAIL iteration %d (kill after %.0f ms): %s\n", iteration, delay, fault.c_str());
      ++failures;
    }
    if (!verdict.faults.empty()) {
      // The damaged file is kept for the report.
      WriteBytes(dataPath + ".failed-" + std::to_string(iteration),
                 ReadBytes(dataPath).value_or(std::string()));
    }
    if (!WaitNoMainWindow(10000)) {
      std::printf("FAIL iteration %d: the killed program's window stayed\n", iteration);
      return 1;
    }
    if (iteration % 50 == 0)
      std::printf("after %d kills: %.0f s, mid-storm %d, temporary files left %d\n", iteration,
                  MsSince(loopStart) / 1000.0, midStorm, temporaryLeft);
  }
  std::printf("kills %d in %.1f s: before the first save %d, mid-storm %d, after the storm %d\n",
              iterations, MsSince(loopStart) / 1000.0, beforeFirstSave, midStorm, afterStorm);
  std::printf("kill window at the end: %.0f to %.0f ms after the start\n", earliest, latest);
  std::printf("kills that left %s behind: %d%s\n", "Data.ini.tmp", temporaryLeft,
              FileExists(temporary) ? " (one is there now)" : "");
  std::printf("failures %d\n", failures);
  return failures ? 1 : 0;
}

// ---- show: a file as the program reads it ---------------------------------------------------

void PrintUtf8(const std::string& line) {
  const std::wstring wide = ToWide(line + "\n");
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written,
            nullptr);
}

// "tasks N", then per task: number, recurrence, status, PrevMS, last run date, message (line breaks
// as <0D><0A>), TAB-separated.
int Show(const std::string& path) {
  auto loaded = LoadFile(path);
  if (loaded->error) {
    PrintUtf8("error\t" + *loaded->error);
    return 1;
  }
  PrintUtf8("tasks\t" + std::to_string(loaded->store.tasks.size()));
  int number = 0;
  for (const Task& task : loaded->store.tasks) {
    std::string text;
    for (char c : task.message) {
      if (c == '\r')
        text += "<0D>";
      else if (c == '\n')
        text += "<0A>";
      else
        text += c;
    }
    PrintUtf8("task\t" + std::to_string(++number) + "\t" + std::to_string(task.recurrence) + "\t" +
              std::to_string(task.status) + "\t" + std::to_string(task.doneThisPeriod) + "\t" +
              std::to_string(task.lastRun.year) + "-" + std::to_string(task.lastRun.month) + "-" +
              std::to_string(task.lastRun.day) + "\t" + text);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "loop" && argc >= 4) {
    const int iterations = std::atoi(argv[2]);
    const unsigned seed = static_cast<unsigned>(std::strtoul(argv[3], nullptr, 0));
    const int tasks = argc > 4 ? std::atoi(argv[4]) : 200;
    if (iterations > 0 && tasks > 0) return Loop(iterations, seed, tasks);
  }
  if (command == "show" && argc == 3) return Show(argv[2]);
  std::fprintf(stderr,
               "usage: vornakel_crash_loop loop <iterations> <seed> [tasks]\n"
               "       vornakel_crash_loop show <Data.ini>\n");
  return 2;
}
