// The system as the core sees it, on Win32.
#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "core/CheckerPlatform.h"
#include "win32/TickTimer.h"
#include "win32/Win32FileOps.h"

// The texts of a fired task's popup, captured when firing posts the command.
struct PendingReminder {
  std::string momentText;
  std::string message;
  bool sound = false;  // the melody went with it (and comes back with a snooze)
};

class Win32Platform : public CheckerPlatform {
 public:
  // The calling thread is taken as the user-interface thread.
  Win32Platform();

  // The window that owns the boxes and receives the posted messages; null before the main
  // window exists and after it is gone.
  void SetMainWindow(HWND window);
  HWND MainWindow() const { return mainWindow_.load(); }

  SystemTime LocalTime() override;
  // The primary work area in pixels at 96 dots per inch (the units of Data.ini).
  WorkAreaRect WorkArea() override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  // On another thread than the user-interface thread the box is posted to the main window, so
  // that the caller never waits on it.
  void ShowError(const std::string& text) override;
  FileOps& Files() override { return files_; }
  void RowsChanged() override;

  // The checker's side.
  void WaitTick() override { tick_.Wait(); }
  void WakeTick() override { tick_.Wake(); }
  uint32_t PlatformId() override;
  void Beep(uint32_t frequency, uint32_t milliseconds) override;
  void PortOut(uint16_t port, uint8_t value) override;
  uint8_t PortIn(uint16_t port) override;
  void Sleep(uint32_t milliseconds) override;
  void OpenFile(const std::string& fileName, const std::string& folder) override;
  void PostReminder(const std::string& momentText, const std::string& message, bool sound) override;
  void ShutDownComputer() override;
  // Like ShowError, but a text already waiting to be shown is not queued a second time, so a
  // save that keeps failing does not pile up boxes.
  void ReportError(const std::string& text) override;
  // The box waits in the main window's queue even on the user-interface thread (once: a text
  // already waiting is not queued again).
  void PostError(const std::string& text);

  // For the main window: the popups posted so far, oldest first (each call takes one).
  bool TakePendingReminder(PendingReminder& reminder);

  // For the main window: whether a RowsChanged message may be posted again, then the error
  // texts posted so far (each call takes one).
  void RowsChangedReceived() { rowsChangedPosted_.store(false); }
  bool TakePostedError(std::string& text);
  // Shows every error posted so far, one box after the other.
  void ShowPostedErrors();

 private:
  // Shows the box at once on the user-interface thread (or before the main window exists);
  // elsewhere, or when `post`, posts it to the main window. With `once`, a text already waiting
  // is not queued again.
  void ShowOrPostError(const std::string& text, bool once, bool post = false);

  Win32FileOps files_;
  const DWORD uiThread_;
  std::atomic<HWND> mainWindow_{nullptr};
  // One RowsChanged message in the queue is enough: its handler takes every change queued
  // until then.
  std::atomic<bool> rowsChangedPosted_{false};
  std::mutex errorsMutex_;
  std::deque<std::string> postedErrors_;
  std::vector<std::string> errorsOnScreen_;  // boxes open now, from ShowPostedErrors
  bool showingErrors_ = false;               // user-interface thread only
  std::mutex remindersMutex_;
  std::deque<PendingReminder> pendingReminders_;
  TickTimer tick_;
  uint32_t platformId_ = 0;
};
