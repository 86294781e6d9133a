// The checker: a worker thread that wakes about twice a second, reads the local time and makes
// one pass over the task table, firing due tasks and turning done-for-today tasks back to
// active. It holds the store's lock for the pass and releases it for the melody, starting a file
// and writing Data.ini.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "core/CheckerPlatform.h"
#include "core/Store.h"

class Checker {
 public:
  Checker(Store& store, CheckerPlatform& platform) : store_(store), platform_(platform) {}
  ~Checker() { Stop(); }
  Checker(const Checker&) = delete;
  Checker& operator=(const Checker&) = delete;

  // Starts CheckerThread. Running is set from construction until Stop; stopped is final but for
  // Restart.
  void Start();
  // Starts the thread before Start with a job of its own, which it runs at once; its passes then
  // wait for Start (or end with Stop). The program reads its file this way while its windows are
  // made, without a thread more: under Wine an ended thread keeps about 1.5 MB until another ends.
  void StartEarlyWith(std::function<void()> job);
  // Returns once the job given to StartEarlyWith has run.
  void WaitForEarlyJob();
  // Clears Running, wakes the thread and waits for it to end. From then on no pass starts and
  // no firing saves. Safe to call more than once.
  void Stop();
  // Starts the thread again after Stop, for a program that was ending and goes on (its last save
  // failed and the user cancelled the exit). It counts as running since its first start. Does
  // nothing while it runs.
  void Restart();
  // Only clears Running: the thread leaves its loops at its next test of the flag.
  void RequestStop() { running_ = 0; }

  // One pass at the current local time, taking the lock. Exposed for tests.
  void MakePass();

  bool Running() const { return running_.load() != 0; }

  // The computer has come back from sleep: a pass now, which lists what was missed meanwhile
  // however short the sleep.
  void Resumed();

  // The clock moving forward more than this between two passes counts as time the program did
  // not run (a sleep, the clock set on): what was missed then is listed.
  static constexpr int64_t kJumpSeconds = 60;
  // Running this long (jumps not counted) saves Data.ini, so that its last moment seen is never
  // older than that after a power cut.
  static constexpr int64_t kSeenSaveSeconds = 600;

 private:
  void CheckerThread();
  void Pass(StoreLock& lock);
  void ReactivateTask(StoreLock& lock, int index);
  // Reminders put off and due now come back (with their melody), and leave Data.ini.
  void ShowSnoozedReminders(StoreLock& lock);
  // A popup `warnMinutes` before each moment of a task that asks for one, once per moment. It is
  // not the task's firing: nothing else of the task runs and its status stays. True when its
  // sound is the melody, which the pass plays once for all its warnings.
  bool WarnOfNextMoment(size_t index);
  // Before the pass fires anything: the reminders missed since the last moment seen, when the
  // clock has jumped forward since (or the program starts, or the computer woke up).
  std::vector<MissedReminder> FindMissedSinceSeen();
  // After kSeenSaveSeconds of running, a save; a failure is reported once until one succeeds.
  void SaveSeenNowAndThen(StoreLock& lock, const std::optional<LocalMoment>& previous);

  Store& store_;
  CheckerPlatform& platform_;
  std::atomic<uint8_t> running_{1};
  std::atomic<bool> resumed_{false};
  int64_t secondsSinceSeenSave_ = 0;
  bool seenSaveFailed_ = false;
  // Null until Start: a checker that makes passes without its thread has been running all along.
  const SystemTime* RunningSince() const { return runningSince_ ? &*runningSince_ : nullptr; }

  SystemTime passTime_{};  // the local time of the current pass; firing takes its moment from it
  std::optional<SystemTime> runningSince_;  // the local time when the thread was started
  std::string saveBuffer_;  // Data.ini as the checker composes it, reused from save to save
  // Between StartEarlyWith and Start (or Stop): the thread's passes wait.
  std::mutex startMutex_;
  std::condition_variable startChanged_;
  bool waitingForStart_ = false;
  bool earlyJobDone_ = true;  // none is given, or it has run
  std::thread thread_;
};
