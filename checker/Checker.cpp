#include "checker/Checker.h"

#include "checker/Firing.h"
#include "checker/MissedReminders.h"
#include "core/RowTexts.h"
#include "core/Schedule.h"

namespace {
constexpr size_t kPrefetchAhead = 8;
}  // namespace

void Checker::Start() {
  if (!running_.load()) return;
  std::lock_guard lock(startMutex_);
  if (thread_.joinable() && !waitingForStart_) return;
  runningSince_ = platform_.LocalTime();
  if (waitingForStart_) {  // the thread started early waits for this
    waitingForStart_ = false;
    startChanged_.notify_all();
  } else {
    thread_ = std::thread([this] { CheckerThread(); });
  }
}

void Checker::StartEarlyWith(std::function<void()> job) {
  if (thread_.joinable() || !running_.load()) {
    job();  // no thread to give it to
    return;
  }
  waitingForStart_ = true;
  earlyJobDone_ = false;
  thread_ = std::thread([this, job = std::move(job)] {
    job();
    std::unique_lock lock(startMutex_);
    earlyJobDone_ = true;
    startChanged_.notify_all();
    startChanged_.wait(lock, [this] { return !waitingForStart_; });
    lock.unlock();
    if (running_.load()) CheckerThread();
  });
}

void Checker::WaitForEarlyJob() {
  std::unique_lock lock(startMutex_);
  startChanged_.wait(lock, [this] { return earlyJobDone_; });
}

void Checker::Restart() {
  if (running_.load()) return;
  if (thread_.joinable()) thread_.join();
  running_ = 1;
  thread_ = std::thread([this] { CheckerThread(); });
}

void Checker::Stop() {
  running_ = 0;
  {
    std::lock_guard lock(startMutex_);
    waitingForStart_ = false;
    startChanged_.notify_all();
  }
  platform_.WakeTick();
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void Checker::CheckerThread() {
  // The first pass comes on the second tick.
  platform_.WaitTick();
  while (running_.load()) {
    platform_.WaitTick();
    if (!running_.load()) break;
    MakePass();
  }
}

void Checker::MakePass() {
  StoreLock lock(store_.mutex);
  Pass(lock);
}

void Checker::Resumed() {
  resumed_ = true;
  platform_.WakeTick();
}

void Checker::Pass(StoreLock& lock) {
  if (!running_.load()) return;  // stopping has begun: no pass starts
  passTime_ = platform_.LocalTime();
  const std::optional<LocalMoment> previous = store_.seen;
  std::vector<MissedReminder> missed = FindMissedSinceSeen();
  store_.seen = MomentOf(passTime_);
  FiringContext context{store_, platform_, passTime_, running_, saveBuffer_, RunningSince()};
  const size_t n = store_.tasks.size();
  // A task deleted during the pass shortens the table; the pass ends at its new end, and
  // the task that moved into a deleted one's place waits for the next pass.
  bool warningSound = false;
  const int64_t now = WallSecond(passTime_);
  for (size_t i = 0; i < n && i < store_.tasks.size(); ++i) {
    // Tasks lie four cache lines apart, too far for the processor to guess: the ones a few
    // places on are fetched while this one is tested.
    if (i + kPrefetchAhead < store_.tasks.size())
      __builtin_prefetch(&store_.tasks[i + kPrefetchAhead]);
    const Task& task = store_.tasks[i];
    if (!task.armed || IsQuiet(task, now)) continue;
    const int index = static_cast<int>(i);
    if (task.status == StatusActive) {
      if (IsDue(task, passTime_)) FireTask(context, lock, index);
    } else if (task.status == StatusDoneToday) {
      if (ShouldReactivate(task, passTime_)) ReactivateTask(lock, index);
    }
    // After the firing: a task due now is not warned of its own moment. Firing may have let the
    // lock go and the table changed: the index is looked at again.
    if (i < store_.tasks.size() && store_.tasks[i].warnMinutes > 0)
      warningSound = WarnOfNextMoment(i) || warningSound;
    // What the task is now decides when the next pass need look at it again.
    if (i < store_.tasks.size()) store_.tasks[i].quiet = QuietSpanFrom(store_.tasks[i], passTime_);
  }
  if (warningSound) {
    lock.unlock();
    BeepMelody(platform_, &running_);
    lock.lock();
  }
  ShowSnoozedReminders(lock);
  // Listed after the popups of what the pass made up.
  if (!missed.empty() && running_.load()) platform_.PostMissed(std::move(missed));
  SaveSeenNowAndThen(lock, previous);
}

std::vector<MissedReminder> Checker::FindMissedSinceSeen() {
  const bool resumed = resumed_.exchange(false);
  if (!store_.seen) return {};
  const LocalMoment now = MomentOf(passTime_);
  // At start the last moment seen comes from Data.ini: a jump like any other.
  const int64_t jump = SecondsBetween(*store_.seen, now);
  if (jump <= 0 || (jump <= kJumpSeconds && !resumed)) return {};
  // The program did not see that time pass: a shutdown whose moment fell in it is missed (listed),
  // even one a few seconds before the wake-up, which would otherwise count as seen running.
  if (runningSince_) runningSince_ = passTime_;
  return FindMissed(store_, *store_.seen, passTime_, RunningSince());
}

void Checker::SaveSeenNowAndThen(StoreLock& lock, const std::optional<LocalMoment>& previous) {
  if (!previous) return;
  const int64_t step = SecondsBetween(*previous, *store_.seen);
  if (step < 0 || step > kJumpSeconds) return;  // not time the program ran
  secondsSinceSeenSave_ += step;
  if (secondsSinceSeenSave_ < kSeenSaveSeconds) return;
  secondsSinceSeenSave_ = 0;
  FiringContext context{store_, platform_, passTime_, running_, saveBuffer_, RunningSince()};
  seenSaveFailed_ = !SaveFromChecker(context, lock, !seenSaveFailed_);
}

void Checker::ShowSnoozedReminders(StoreLock& lock) {
  if (store_.snoozed.empty() || !running_.load()) return;
  const std::vector<SnoozedReminder> due = TakeDue(store_.snoozed, MomentOf(passTime_));
  if (due.empty()) return;
  bool sound = false;
  for (const SnoozedReminder& reminder : due) {
    sound = PostReminderWithSound(store_, platform_, true, reminder.moment, reminder.message,
                                  reminder.sound, reminder.soundChoice) ||
            sound;
  }
  // Out of the file at once: shown, it must not come back after a restart.
  FiringContext context{store_, platform_, passTime_, running_, saveBuffer_, RunningSince()};
  SaveFromChecker(context, lock);
  if (!sound) return;
  lock.unlock();
  BeepMelody(platform_, &running_);
  lock.lock();
}

bool Checker::WarnOfNextMoment(size_t index) {
  Task& task = store_.tasks[index];
  if (!task.armed || !running_.load()) return false;
  const std::optional<LocalMoment> next = NextFiring(task, passTime_);
  const LocalMoment now = MomentOf(passTime_);
  if (!next || !(now < *next) || *next == MomentOf(task.warnedFor)) return false;
  const int64_t seconds = SecondsBetween(now, *next);
  if (seconds > int64_t{task.warnMinutes} * 60) return false;
  task.warnedFor = SystemTimeOf(*next);
  // Come into the warning's time late (a start, a step shorter than the warning): the minutes
  // actually left, a part counted whole.
  const int64_t minutes = (seconds + 59) / 60;
  return PostReminderWithSound(store_, platform_, true,
                               store_.rows.Cell(static_cast<int>(index), ColumnMoment),
                               WarningMessage(task, minutes), task.beep, task.soundChoice);
}

void Checker::ReactivateTask(StoreLock& lock, int index) {
  Task& task = store_.tasks[static_cast<size_t>(index)];
  task.status = StatusActive;
  task.doneThisPeriod = 0;
  store_.rows.CellChanged(index, ColumnStatus);
  platform_.RowsChanged();
  FiringContext context{store_, platform_, passTime_, running_, saveBuffer_, RunningSince()};
  SaveFromChecker(context, lock);
}
