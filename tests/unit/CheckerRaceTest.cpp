// The checker at full speed against every command of the user-interface thread, each done the
// way the main window does it: add, edit, pause/activate, delete with its question, the
// settings dialog, draining the row changes into the list, and the stop with its last save.
// Built with ThreadSanitizer this is the race test of the one lock; in every build it checks
// that table, rows, list and file agree afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "checker/Checker.h"
#include "core/DeleteTask.h"
#include "core/RowTexts.h"
#include "storage/DataFile.h"
#include "tests/support/FakePlatform.h"
#include "ui/editor/EditorRecord.h"
#include "ui/main/MainCommandsLogic.h"

namespace {

constexpr const char* kDataPath = "C:\\Tools\\Data.ini";

// What the list control knows: its item count, kept up to date from the queued row changes
// in their order, as the list view's owner-data count is.
struct ListMirror {
  int rows = 0;
  int outOfRange = 0;  // a change that named a row the list does not have

  void Apply(const std::vector<RowChange>& changes) {
    for (const RowChange& change : changes) {
      switch (change.kind) {
        case RowChange::Appended:
          ++rows;
          break;
        case RowChange::CellChanged:
          if (change.row < 0 || change.row >= rows) ++outOfRange;
          break;
        case RowChange::Deleted:
          if (change.row < 0 || change.row >= rows)
            ++outOfRange;
          else
            --rows;
          break;
        case RowChange::FocusCleared:
          break;
      }
    }
  }
};

enum Command { Add, Edit, PauseActivate, Delete, Settings, CommandCount };

// The user-interface thread's side: every command as the main window's handler does it.
class UserInterface {
 public:
  UserInterface(Store& store, FakePlatform& platform) : store_(store), platform_(platform) {
    // The delete question stays open a little while the checker goes on without the lock.
    platform_.onQuestion = [] { std::this_thread::sleep_for(std::chrono::microseconds(200)); };
  }

  void Run(Command command) {
    ++done[command];
    switch (command) {
      case Add:
        return AddTask();
      case Edit:
        return EditTask();
      case PauseActivate:
        return PauseOrActivate();
      case Delete:
        return DeleteWithQuestion();
      case Settings:
        return OpenSettings();
      case CommandCount:
        return;
    }
  }

  // The list takes the queued changes (the window thread's row update job).
  void ApplyRowChanges() {
    std::vector<RowChange> changes;
    {
      std::lock_guard lock(store_.mutex);
      changes = store_.rows.TakeChanges();
    }
    list.Apply(changes);
  }

  // The stop sequence after the checker has ended: the last save.
  void FinalSave() {
    std::lock_guard lock(store_.mutex);
    Save();
  }

  ListMirror list;
  std::array<int, CommandCount> done{};
  int saveErrors = 0;
  int rowCountMismatches = 0;  // the list's count differed from the table's with no change queued
  int lostEdits = 0;           // an edit whose task was gone when OK wrote it

 private:
  // The selected row as an index of the table: the list must first take every queued change.
  int SelectRow(StoreLock& lock) {
    for (;;) {
      lock.unlock();
      ApplyRowChanges();
      lock.lock();
      if (!store_.rows.HasChanges()) break;
    }
    const int n = static_cast<int>(store_.tasks.size());
    if (list.rows != n) ++rowCountMismatches;
    return n == 0 ? -1 : static_cast<int>(random_() % static_cast<unsigned>(n));
  }

  void Save() {
    if (SaveData(store_, platform_)) ++saveErrors;
  }

  EditorFields Fields() {
    EditorFields f;
    f.recurrenceIndex = static_cast<int32_t>(random_() % 11);
    f.text = "задача " + std::to_string(random_() % 1000) + "\r\nвторая строка";
    f.hourText = std::to_string(random_() % 24);
    f.minuteText = std::to_string(random_() % 60);
    f.secondText = std::to_string(random_() % 60);
    f.yearText = "2024";
    f.monthIndex = 2;  // March
    f.dayIndex = static_cast<int32_t>(random_() % 28);
    f.deleteChecked = random_() % 4 == 0;  // enough tasks stay for the final comparison
    f.deleteEnabled = true;
    f.showMessageChecked = true;
    return f;
  }

  void DialogIsOpen() { std::this_thread::sleep_for(std::chrono::microseconds(100)); }

  // AddTask: the editor's OK appends the task unarmed; its row is built, then it is armed.
  void AddTask() {
    DialogIsOpen();
    const CommitResult result = CommitEditor(store_, 0, Fields(), platform_.LocalTime());
    {
      std::lock_guard lock(store_.mutex);
      const int index = store_.IndexOf(result.taskId);
      if (index >= 0) {
        BuildRow(store_, index, true);
        store_.tasks[static_cast<size_t>(index)].armed = 1;
      }
      if (!store_.tasks.empty()) Save();
    }
    ApplyRowChanges();
  }

  // EditSelectedTask: disarm, the editor open without the lock, OK or Cancel, rebuild, re-arm,
  // save.
  void EditTask() {
    uint64_t id = 0;
    {
      StoreLock lock(store_.mutex);
      const int index = SelectRow(lock);
      if (index < 0) return;
      Task& task = store_.tasks[static_cast<size_t>(index)];
      task.armed = false;
      id = task.id;
    }
    DialogIsOpen();
    const bool ok = random_() % 4 != 0;
    if (ok && CommitEditor(store_, id, Fields(), platform_.LocalTime()).outcome !=
                  CommitResult::Outcome::Written)
      ++lostEdits;  // a disarmed task cannot fire, so cannot delete itself
    {
      std::lock_guard lock(store_.mutex);
      const int now = store_.IndexOf(id);
      if (now >= 0) {
        if (ok) BuildRow(store_, now, false);
        store_.tasks[static_cast<size_t>(now)].armed = 1;
      } else {
        ++lostEdits;
      }
      Save();
    }
    ApplyRowChanges();
  }

  // PauseOrActivateSelectedTask.
  void PauseOrActivate() {
    {
      StoreLock lock(store_.mutex);
      const int index = SelectRow(lock);
      if (index < 0) return;
      Task& task = store_.tasks[static_cast<size_t>(index)];
      if (const auto status = PausedOrActivatedStatus(task.status, task.doneThisPeriod)) {
        task.status = *status;
        store_.rows.CellChanged(index, ColumnStatus);
      }
      Save();
    }
    ApplyRowChanges();
  }

  // DeleteSelectedTask: the question is asked without the lock; the task is found again afterwards.
  void DeleteWithQuestion() {
    platform_.answerYes = random_() % 5 != 0;
    {
      StoreLock lock(store_.mutex);
      const int index = SelectRow(lock);
      if (index < 0) return;
      DeleteTask(store_, lock, platform_, index, false);
      Save();
    }
    ApplyRowChanges();
  }

  // OpenSettings: the dialog reads the options, stays open, and OK writes them back and saves.
  void OpenSettings() {
    ::Settings options;
    {
      std::lock_guard lock(store_.mutex);
      options = store_.settings;
    }
    DialogIsOpen();
    std::lock_guard lock(store_.mutex);
    store_.settings.startWithWindows = !options.startWithWindows;
    store_.settings.useTray = random_() % 2 != 0;
    Save();
  }

  Store& store_;
  FakePlatform& platform_;
  std::mt19937 random_{7};
};

// The fields the file keeps, as one comparable line.
std::string StoredFields(const Task& t) {
  return std::to_string(t.recurrence) + " " + std::to_string(t.secondOfDay) + " " +
         std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) +
         " " + t.message + " " + std::to_string(t.deleteAfter) + std::to_string(t.showMessage) +
         " " + std::to_string(t.status) + " " + std::to_string(t.lastRun.year) + "-" +
         std::to_string(t.lastRun.month) + "-" + std::to_string(t.lastRun.day) + " " +
         std::to_string(t.lastRun.hour) + ":" + std::to_string(t.lastRun.minute) + ":" +
         std::to_string(t.lastRun.second) + " " + std::to_string(t.doneThisPeriod);
}

TEST(CheckerRace, EveryUserCommandAgainstTheCheckerLeavesTableRowsListAndFileAgreeing) {
  Store store;
  store.dataPath = kDataPath;
  FakePlatform platform;
  // About 97 s of clock time per tick, through March 2024, and every 64th tick the clock is
  // put back two days, so tasks fire, come back and fire again during the run.
  int tick = 0;  // the checker thread's own
  platform.onTick = [&] {
    ++tick;
    const int s = tick * 97 - (tick / 64 % 2) * 2 * 86400 + 3 * 86400;
    const int day = 1 + (s / 86400) % 28;
    std::lock_guard<std::mutex> guard(platform.clockMutex);
    platform.now = SystemTime{2024,
                              3,
                              static_cast<uint16_t>(day),
                              static_cast<uint16_t>((s / 3600) % 24),
                              static_cast<uint16_t>((s / 60) % 60),
                              static_cast<uint16_t>(s % 60),
                              0,
                              static_cast<uint16_t>((day + 4) % 7)};  // 1 March 2024: a Friday
  };
  Checker checker(store, platform);
  UserInterface ui(store, platform);
  for (int i = 0; i < 20; ++i) ui.Run(Add);
  checker.Start();

  std::mt19937 random(11);
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
  while (std::chrono::steady_clock::now() < until) {
    // Adding a little more often than deleting keeps the table from running empty.
    const unsigned pick = random() % 12;
    ui.Run(pick < 3    ? Add
           : pick < 6  ? Edit
           : pick < 8  ? PauseActivate
           : pick < 10 ? Delete
                       : Settings);
  }
  checker.Stop();
  ui.FinalSave();
  ui.ApplyRowChanges();

  for (int c = 0; c < CommandCount; ++c) EXPECT_GT(ui.done[static_cast<size_t>(c)], 0) << c;
  const auto actions = platform.actions;
  const auto fired = std::count_if(actions.begin(), actions.end(), [](const std::string& a) {
    return a.rfind("reminder", 0) == 0;
  });
  EXPECT_GT(fired, 0) << "the checker must really have fired tasks during the race";
  std::cout << "commands add " << ui.done[Add] << ", edit " << ui.done[Edit] << ", pause "
            << ui.done[PauseActivate] << ", delete " << ui.done[Delete] << ", settings "
            << ui.done[Settings] << "; checker ticks " << platform.ticks.load() << ", firings "
            << fired << "; tasks left " << store.tasks.size() << "\n";
  EXPECT_GT(platform.questions.size(), 0u);
  EXPECT_EQ(ui.saveErrors, 0);
  EXPECT_EQ(ui.lostEdits, 0);
  EXPECT_EQ(ui.rowCountMismatches, 0);
  EXPECT_EQ(ui.list.outOfRange, 0);

  std::lock_guard lock(store.mutex);
  ASSERT_EQ(store.rows.Count(), static_cast<int>(store.tasks.size()));
  EXPECT_EQ(ui.list.rows, static_cast<int>(store.tasks.size()));
  std::set<uint64_t> ids;
  for (size_t i = 0; i < store.tasks.size(); ++i) {
    const Task& t = store.tasks[i];
    const int row = static_cast<int>(i);
    EXPECT_EQ(t.armed, 1) << "task " << i << " left disarmed";
    EXPECT_TRUE(ids.insert(t.id).second) << "task " << i << " shares its identity";
    EXPECT_EQ(store.rows.Cell(row, ColumnNumber), std::to_string(i + 1));
    EXPECT_EQ(store.rows.Cell(row, ColumnMessage), MessageCellText(t)) << "row " << i;
    EXPECT_EQ(store.rows.Cell(row, ColumnMoment), MomentText(t)) << "row " << i;
    EXPECT_EQ(store.rows.Cell(row, ColumnAction), ActionText(t)) << "row " << i;
    EXPECT_EQ(store.rows.Cell(row, ColumnStatus), StatusText(t.status)) << "row " << i;
  }

  // The last save holds the table as it stands, and nothing but Data.ini is left behind.
  EXPECT_EQ(platform.files.files.size(), 1u);
  Store reloaded;
  reloaded.dataPath = kDataPath;
  ASSERT_FALSE(LoadData(reloaded, platform, [] {}).has_value());
  ASSERT_EQ(reloaded.tasks.size(), store.tasks.size());
  for (size_t i = 0; i < store.tasks.size(); ++i)
    EXPECT_EQ(StoredFields(reloaded.tasks[i]), StoredFields(store.tasks[i])) << "task " << i;
  EXPECT_EQ(reloaded.settings.startWithWindows, store.settings.startWithWindows);
  EXPECT_EQ(reloaded.settings.useTray, store.settings.useTray);
}

}  // namespace
