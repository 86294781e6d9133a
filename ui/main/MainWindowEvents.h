// What the main window asks of the running program: the parts of its work that reach beyond the
// window (the dialogs it does not own, the popups, the orderly stop).
#pragma once

class MainWindowEvents {
 public:
  // The program is asked to end (WM_CLOSE: "Выход", the taskbar button's "Close window"): its
  // last save is made now. True when the window may go; false when the save failed and the user
  // chose "Отмена": the program runs on with its changes in memory.
  virtual bool SaveBeforeExit() = 0;
  // The window is being destroyed, before its children go.
  virtual void OnMainWindowDestroyed() = 0;
  // Hiding to the tray closes the open dialogs as a cancel.
  virtual void CancelOpenDialogs() = 0;
  // The Windows session is about to end (WM_QUERYENDSESSION): the table is saved. A failure is
  // reported without holding the end up: the window never objects to it. Nothing stops yet:
  // the end may still be cancelled.
  virtual void SaveForEndOfSession() = 0;
  // The session ends (WM_ENDSESSION with TRUE): the orderly stop.
  virtual void StopForEndOfSession() = 0;
  // The computer is about to sleep: the table is saved, with the last moment seen. A failure is
  // reported without holding the sleep up.
  virtual void SaveBeforeSleep() = 0;
  // The computer has woken up: the checker passes at once.
  virtual void ResumedFromSleep() = 0;

 protected:
  ~MainWindowEvents() = default;
};
