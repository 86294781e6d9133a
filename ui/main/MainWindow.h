// The main window: its frame, the task list and the messages that keep the list and the store's
// copy of the window state up to date.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "core/Store.h"
#include "ui/commandline/CommandLineTask.h"
#include "ui/main/MainWindowEvents.h"
#include "ui/main/TaskListView.h"
#include "ui/main/TaskbarButton.h"
#include "ui/main/TrayIconMenu.h"
#include "ui/main/TrayTip.h"
#include "ui/shared/WindowBase.h"
#include "win32/Handles.h"
#include "win32/TrayIcon.h"
#include "win32/WakeTimer.h"
#include "win32/Win32Platform.h"

class TaskEditor;
class SettingsDialog;

class MainWindow : public WindowBase {
 public:
  // The window class. A second start of the program finds the first by it and the title
  // (kProgramTitle), and so do users' automation scripts.
  static constexpr wchar_t kClassName[] = L"TForm1";
  // Sizes and places in pixels at 96 dots per inch; the window shows them scaled to its density.
  static constexpr int kWidth = 718, kHeight = 538;
  static constexpr int kMinimumWidth = 490, kMinimumHeight = 490;

  MainWindow(Store& store, Win32Platform& platform, MainWindowEvents& events);
  ~MainWindow() override;

  static constexpr int kAddButtonLeft = 3, kSettingsButtonLeft = 156;
  static constexpr int kButtonWidth = 151, kButtonHeight = 25;

  // Creates the window, hidden, with the task list in it, and makes it the platform's main window.
  bool Create();
  TaskListView& List() { return list_; }

  // Sets the list's column widths, given at 96 dots per inch as Data.ini stores them, and
  // remembers them for the next save.
  void SetColumnWidths(const TaskListView::ColumnWidths& widths);

  // Outer left, top, width and height, as stored in Data.ini (at 96 dots per inch).
  void SetBounds(int left, int top, int width, int height);
  // Maximises the window, or, while it is hidden, makes it open maximised when it is shown.
  // The geometry it had becomes the normal one it returns to.
  void Maximise();
  // Makes the window visible (maximised if so asked before).
  void ShowMainWindow();

  // Takes the row model's queued changes (under the store's lock) and applies them to the
  // list. Must be called without the lock held.
  void ApplyRowChanges();

  // The editor and the settings dialog the commands open; set once both exist.
  void SetDialogs(TaskEditor* editor, SettingsDialog* settingsDialog) {
    editor_ = editor;
    settingsDialog_ = settingsDialog;
  }
  HWND AddButton() const { return addButton_; }
  HWND SettingsButton() const { return settingsButton_; }
  HMENU ListMenu() const { return listMenu_.get(); }

  // The commands. Those that act on the selected row do nothing without one.
  void AddTask();  // the button, the list menu and the tray menu
  // A task from the command line, added as the editor's OK adds a new one: appended, its row
  // built, armed, saved once. A failed save is reported now, or with `reportLater` once the
  // caller (a waiting process) has its answer. False when the fields do not convert.
  bool AddTaskFromCommandLine(const CommandLineTask& task, bool reportLater = false);
  void OpenSettings();
  void EditSelectedTask();
  void DeleteSelectedTask();  // asks, deletes, then saves
  void PauseOrActivateSelectedTask();
  void OnListDoubleClick();
  void OnListKeyDown(WORD key);  // the Delete key deletes, as the menu does
  // Tab and Shift+Tab between the list and the buttons, Enter on a button or on the list's row;
  // true when the key was taken (the main loop then does not dispatch it).
  bool TakeDialogKey(const MSG& message);
  // Letters typed in the list (LVN_ODFINDITEM): the row to select, or -1.
  int FindTypedRow(const NMLVFINDITEMW& find);
  void UpdateListMenu();
  void OnListMouseDown();
  // The wheel at `screenPoint`: scrolls the list when the pointer is over it.
  void OnMouseWheel(int wheelDelta, POINT screenPoint);
  // Index of the selected row (the row model's changes applied first), or -1.
  int SelectedIndex();
  // The same, valid for as long as `lock` (held on entry) stays held.
  int SelectedIndex(StoreLock& lock);

  // The tray icon and its menu, filled and created by the creation step once the window exists.
  TrayIcon& Tray() { return tray_; }
  TrayIconMenu& TrayMenu() { return trayMenu_; }
  // Adds the tray icon. At logon the shell is often not ready: a refused add is tried again
  // every `interval` ms, `attempts` times (2 s for a minute), and when the taskbar (re)starts; if
  // it never succeeds, the window is shown, so the program is never out of reach.
  void AddTrayIcon();
  // Composes the tray icon's tip again now, whatever changed (the table was loaded).
  void ComposeTrayTipNow();
  // Sets the wake timer again now, whatever changed (the table was loaded, the computer woke up).
  void ArmWakeTimerNow();
  // The waitable timer, for a look at what it is set to; null until first set.
  HANDLE WakeTimerHandle() const { return wakeTimer_.Handle(); }
  void SetTrayRetry(UINT intervalMs, int attempts) {
    trayRetryMs_ = intervalMs;
    trayAttempts_ = attempts;
  }
  // The window that carries the program's taskbar button and owns this one.
  TaskbarButton& Taskbar() { return taskbar_; }

  // Hidden to the tray or started minimised; only the toggle and start-up change it.
  bool HiddenToTray() const { return hiddenToTray_; }
  void SetHiddenToTray(bool hidden) { hiddenToTray_ = hidden; }

  // The toggle (WMAPP_TRAYICON with 515): hides the shown window to the tray (or, without the tray
  // option, minimises the program to its taskbar button), or brings the hidden one back to the
  // front.
  void Toggle();

  // Once the stop sequence has begun the window takes no more commands of the tray, the menu or
  // the system; only the standard handling of messages remains.
  void Stopped() { stopped_ = true; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  bool OnCreate();
  void OnSize(WPARAM kind, int clientWidth, int clientHeight);
  void OnGetMinMaxInfo(MINMAXINFO& limits);
  // The window has moved to a screen of another density.
  void OnDensityChanged(int previousDpi) override;
  // The list's menu, by the mouse or the keyboard.
  LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
  LRESULT OnWindowMouseWheel(WPARAM wParam, LPARAM lParam);
  void OnEndSession(WPARAM ending, LPARAM how);
  LRESULT OnPowerBroadcast(WPARAM event, LPARAM data);
  // The program ends once its last save is made (or given up by the user).
  void OnClose();
  // The tray icon's retry timer, and the look at what comes next for the tip.
  LRESULT OnTimer(WPARAM timer, LPARAM lParam);
  // The tip says what comes next; composed again only when its NextMomentWatch says so.
  void RefreshTrayTip();
  // The wake timer at the nearest flagged task's next moment, cancelled without one.
  void RefreshWakeTimer();
  // The taskbar (re)started: the icon is added again, or a program hidden in the tray would be
  // unreachable.
  LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);
  // The fonts made for the window's density, given to the list and the buttons.
  void MakeFonts();
  LRESULT OnNotify(NMHDR& header);
  void OnTrayIcon(LPARAM event);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
  void ShowTrayMenu();
  void HideToTray();
  void RestoreFromTray();
  bool TrayOptionOn();
  void OnDestroy();

  void LayOut(int clientWidth, int clientHeight);
  void LayOutClientArea();
  bool CreateButtonsAndMenu();
  void ShowListMenu(LPARAM where);
  static LRESULT CALLBACK TaskListSubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR subclassId,
                                               DWORD_PTR refData);
  // The shape of every command that changes the table: `change` runs under the store's lock and
  // says whether to save; the save follows under the same lock, and its error, if any, is shown
  // once the lock is released and the list shows the change.
  void ChangeAndSave(const std::function<bool(StoreLock&)>& change, bool reportLater = false);
  // WM_COPYDATA: a task handed over by a second start with a command line.
  LRESULT OnCopyData(const COPYDATASTRUCT& data);
  void RememberGeometry();
  void RememberColumnWidths(int trackedColumn = -1, int trackedWidth = 0);

  Store& store_;
  Win32Platform& platform_;
  TaskbarButton taskbar_;  // destroyed after the main window, which it owns
  TaskListView list_;
  UniqueFont listFont_;    // Arial, bold, 15 pixels
  UniqueFont buttonFont_;  // Arial Cyr, bold, 15 pixels
  HWND addButton_ = nullptr;
  HWND settingsButton_ = nullptr;
  UniqueMenu listMenu_;
  TaskEditor* editor_ = nullptr;
  SettingsDialog* settingsDialog_ = nullptr;
  bool showMaximised_ = false;
  bool minimised_ = false;  // for the minimise hook: it runs when the window becomes minimised
  bool stopped_ = false;
  TrayIcon tray_;
  static constexpr UINT_PTR kTrayRetryTimer = 1;
  UINT trayRetryMs_ = 2000;
  int trayAttempts_ = 30;
  int trayAttemptsLeft_ = 0;  // while the retry timer runs
  // Once a second the wake timer, and the tip while the icon is shown, are looked at: a change, a
  // new day or the moment shown coming is seen within that second. Each is composed again only
  // when its own watch says so.
  static constexpr UINT_PTR kNextMomentTimer = 2;
  static constexpr UINT kNextMomentLookMs = 1000;
  NextMomentWatch tipWatch_;
  // The wake timer follows the nearest task that asks to wake the computer.
  NextMomentWatch wakeWatch_;
  WakeTimer wakeTimer_;
  bool wakeFailureShown_ = false;  // a failure to arm is shown once, not at every look
  TrayIconMenu trayMenu_;
  MainWindowEvents& events_;
  bool hiddenToTray_ = true;
};
