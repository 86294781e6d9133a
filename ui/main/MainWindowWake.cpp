// The main window's side of the wake timer: set at the nearest flagged task's next moment after
// every change of the table, every firing (each saves) and every resume.
#include "core/Schedule.h"
#include "ui/main/MainWindow.h"
#include "ui/shared/WindowTexts.h"
#include "win32/ErrorBox.h"

void MainWindow::ArmWakeTimerNow() {
  wakeWatch_.Forget();
  RefreshWakeTimer();
  SetTimer(hwnd_, kNextMomentTimer, kNextMomentLookMs, nullptr);
}

void MainWindow::RefreshWakeTimer() {
  if (stopped_) return;
  const SystemTime now = platform_.LocalTime();
  std::optional<LocalMoment> next;
  {
    std::lock_guard lock(store_.mutex);
    if (!wakeWatch_.Due(store_.composedSaves, now)) return;
    next = NextWakeMoment(store_, now);
    wakeWatch_.Composed(store_.composedSaves, now, next);
  }
  if (!next) return wakeTimer_.Cancel();
  const WakeArming arming = wakeTimer_.Arm(*next);
  if (arming == WakeArming::Armed || wakeFailureShown_) return;
  wakeFailureShown_ = true;
  ShowErrorBox(hwnd_, arming == WakeArming::CannotWake ? kWakeUnsupportedText : kWakeFailedText);
}
