// The main window's side of the tray: the icon's events, its menu, hiding to the tray and coming
// back from it.
#include "ui/main/MainWindow.h"
#include "win32/MessageIds.h"
#include "win32/Text.h"

void MainWindow::OnTrayIcon(LPARAM event) {
  if (stopped_) return;
  if (event == kTrayDoubleClick)
    Toggle();
  else if (event == kTrayRightButtonUp)
    ShowTrayMenu();
}

void MainWindow::ShowTrayMenu() {
  POINT cursor{};
  GetCursorPos(&cursor);
  // The owner must be the foreground window, or the menu does not close when the user clicks
  // elsewhere.
  SetForegroundWindow(hwnd_);
  trayMenu_.Track(hwnd_, cursor);
  // Lets the menu's loop end properly before the next click on the icon.
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void MainWindow::Toggle() {
  if (hiddenToTray_) {
    RestoreFromTray();
  } else if (TrayOptionOn()) {
    HideToTray();
  } else {
    // Without the tray the program goes to its taskbar button; the hidden mark and the menu stay.
    taskbar_.MinimiseProgram();
  }
}

void MainWindow::HideToTray() {
  // Hidden to the tray, the program has no taskbar button.
  taskbar_.Hide();
  ShowWindow(hwnd_, SW_HIDE);
  // An open dialog ends as a cancel: nothing it holds is committed.
  events_.CancelOpenDialogs();
  hiddenToTray_ = true;
  trayMenu_.SetToggleText(true);
}

void MainWindow::RestoreFromTray() {
  taskbar_.RestoreProgram();
  if (IsIconic(hwnd_))
    ShowWindow(hwnd_, SW_RESTORE);
  else if (!IsWindowVisible(hwnd_))
    ShowMainWindow();
  RECT frame{};
  GetWindowRect(hwnd_, &frame);
  SetWindowPos(hwnd_, HWND_TOP, frame.left, frame.top, frame.right - frame.left,
               frame.bottom - frame.top, SWP_SHOWWINDOW);
  BringWindowToTop(hwnd_);
  SetActiveWindow(hwnd_);
  SetForegroundWindow(hwnd_);
  PostMessageW(hwnd_, WM_NULL, 0, 0);
  hiddenToTray_ = false;
  trayMenu_.SetToggleText(false);
}

bool MainWindow::TrayOptionOn() {
  std::lock_guard lock(store_.mutex);
  return store_.settings.useTray != 0;
}

void MainWindow::AddTrayIcon() {
  ComposeTrayTipNow();
  SetTimer(hwnd_, kNextMomentTimer, kNextMomentLookMs, nullptr);
  if (tray_.Add()) {
    KillTimer(hwnd_, kTrayRetryTimer);
    trayAttemptsLeft_ = 0;
    return;
  }
  if (trayAttemptsLeft_ > 0) return;  // the timer runs already
  trayAttemptsLeft_ = trayAttempts_;
  SetTimer(hwnd_, kTrayRetryTimer, trayRetryMs_, nullptr);
}

void MainWindow::ComposeTrayTipNow() {
  tipWatch_.Forget();
  RefreshTrayTip();
}

void MainWindow::RefreshTrayTip() {
  const SystemTime now = platform_.LocalTime();
  TrayTip tip;
  {
    std::lock_guard lock(store_.mutex);
    if (!tipWatch_.Due(store_.composedSaves, now)) return;
    tip = ComposeTrayTip(store_, now);
    tipWatch_.Composed(store_.composedSaves, now, tip.next);
  }
  tray_.SetTip(ToWide(tip.text));
}

LRESULT MainWindow::OnTimer(WPARAM timer, LPARAM lParam) {
  if (timer == kNextMomentTimer) {
    RefreshWakeTimer();
    // Without the icon there is nothing to show, and nothing is composed.
    if (!stopped_ && TrayOptionOn()) RefreshTrayTip();
    return 0;
  }
  if (timer != kTrayRetryTimer) return DefaultHandling(WM_TIMER, timer, lParam);
  if (stopped_ || !TrayOptionOn() || tray_.Add()) {
    KillTimer(hwnd_, kTrayRetryTimer);
    trayAttemptsLeft_ = 0;
    return 0;
  }
  if (--trayAttemptsLeft_ > 0) return 0;
  KillTimer(hwnd_, kTrayRetryTimer);
  // No icon for good: a window hidden to the tray would be out of reach.
  if (hiddenToTray_) RestoreFromTray();
  return 0;
}
