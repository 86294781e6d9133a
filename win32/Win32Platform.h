// The system as the core sees it, on Win32.
#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "core/CheckerPlatform.h"
#include "win32/Sounder.h"
#include "win32/TickTimer.h"
#include "win32/Win32FileOps.h"
#include "win32/WindowMailbox.h"

// What the checker's requests become on the user-interface thread.
class WindowJobs {
 public:
  // A fired task's popup, with the texts captured when it fired (the task may be gone by now);
  // `sound` and `soundChoice` come back with a snooze; `reminder`: the number the sounder knows
  // its sound by, told when the popup is answered.
  virtual void ShowReminder(const std::string& momentText, const std::string& message, bool sound,
                            const SoundChoice& soundChoice, uint64_t reminder) = 0;
  // The row model has queued changes for the task list.
  virtual void ApplyRowChanges() = 0;
  // A task asks to shut the computer down: stop in order first, then shut down.
  virtual void ShutDownComputer() = 0;
  // The reminders missed while the program was not running or the computer slept.
  virtual void ShowMissed(const std::vector<MissedReminder>& missed) = 0;

 protected:
  ~WindowJobs() = default;
};

class Win32Platform : public CheckerPlatform {
 public:
  // The calling thread is taken as the user-interface thread.
  Win32Platform();

  // The window that owns the boxes and whose thread runs the posted jobs; null before the main
  // window exists and after it is gone.
  void SetMainWindow(HWND window);
  HWND MainWindow() const { return mainWindow_.load(); }
  // Where the posted jobs go; set once, before the checker starts.
  void SetWindowJobs(WindowJobs* jobs) { jobs_ = jobs; }
  WindowMailbox& Mailbox() { return mailbox_; }

  SystemTime LocalTime() override;
  // The primary work area in pixels at 96 dots per inch (the units of Data.ini).
  WorkAreaRect WorkArea() override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  // On another thread than the user-interface thread the box is posted (as PostError), so
  // that the caller never waits on it.
  void ShowError(const std::string& text) override;
  FileOps& Files() override { return files_; }
  void RowsChanged() override;

  // The checker's side.
  void WaitTick() override { tick_.Wait(); }
  void WakeTick() override { tick_.Wake(); }
  void Beep(uint32_t frequency, uint32_t milliseconds) override;
  void OpenFile(const std::string& fileName, const std::string& folder) override;
  void PostReminder(const std::string& momentText, const std::string& message, bool sound,
                    const SoundChoice& soundChoice, uint64_t reminder) override;
  void StartSound(uint64_t reminder, const SoundChoice& choice) override {
    sounder_.Start(reminder, choice);
  }
  // A popup was answered: its sound stops, and repeats no more.
  void SoundAnswered(uint64_t reminder) { sounder_.Answered(reminder); }
  Sounder& Sounds() { return sounder_; }
  void ShutDownComputer() override;
  void PostMissed(std::vector<MissedReminder> missed) override;
  // The same as ShowError: the checker's failures are posted, and a save that keeps failing
  // does not pile up boxes.
  void ReportError(const std::string& text) override { ShowError(text); }
  // The box waits for the window's thread even when called there (so that nothing waits for
  // it now); a text already waiting or on screen is not queued again.
  void PostError(const std::string& text);

 private:
  // Shows every error posted so far, one box after the other.
  void ShowPostedErrors();

  Win32FileOps files_;
  const DWORD uiThread_;
  std::atomic<HWND> mainWindow_{nullptr};
  WindowMailbox mailbox_;
  WindowJobs* jobs_ = nullptr;
  // One row update in the mailbox is enough: it takes every change queued until it runs.
  std::atomic<bool> rowUpdateQueued_{false};
  std::mutex errorsMutex_;
  std::deque<std::string> postedErrors_;
  std::vector<std::string> errorsOnScreen_;  // boxes open now, from ShowPostedErrors
  bool showingErrors_ = false;               // user-interface thread only
  TickTimer tick_;
  Sounder sounder_{*this};  // last: its thread ends first
};
