#include "ui/shutdown/ShutdownWarning.h"

#include "ui/shared/ControlAccess.h"
#include "ui/shared/DialogFrame.h"
#include "ui/shared/WindowTexts.h"
#include "win32/Dpi.h"
#include "win32/ErrorBox.h"
#include "win32/Text.h"

namespace {

constexpr DWORD kText = WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
// "Отмена" is the default: a stray Enter never shuts the computer down.
constexpr DWORD kDefaultButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;

constexpr int Id(ShutdownWarningControl control) { return static_cast<int>(control); }

constexpr ControlPlace kPlaces[] = {
    {Id(ShutdownWarningControl::Text), L"STATIC", "", kText, 0, 10, 16, 340, 22},
    {Id(ShutdownWarningControl::ShutDownNow), L"BUTTON", kShutDownNowButton, kButton, 0, 45, 52,
     160, 26},
    {Id(ShutdownWarningControl::Cancel), L"BUTTON", kCancelShutdownButton, kDefaultButton, 0, 215,
     52, 100, 26},
};

// The count is read from the clock a few times a second, so each new number shows at once.
constexpr UINT_PTR kCountTimer = 1;
constexpr UINT kCountTimerMs = 200;

}  // namespace

bool ShutdownWarning::Open(int seconds) {
  if (hwnd_) return true;
  dpi_ = DialogDpi(nullptr);
  // Owned by no window of the program: it stays on screen while the program hides in the tray.
  if (!CreateDialogFrame(*this, kClassName, ToCp1251(kProgramTitle), kClientWidth, kClientHeight,
                         nullptr, true) ||
      !CreateControls(hwnd_, kPlaces, kFirstControlId, controls_, dpi_)) {
    Destroy();
    return false;
  }
  PlaceControls();
  seconds_ = seconds;
  openedAtMs_ = GetTickCount64();
  shownSeconds_ = -1;
  ShowSecondsLeft(ShutdownSecondsLeft(seconds_, 0));
  SetTimer(hwnd_, kCountTimer, kCountTimerMs, nullptr);
  // Above every window, yet the window the user types in keeps the keyboard.
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return true;
}

void ShutdownWarning::Close() {
  if (!hwnd_) return;
  KillTimer(hwnd_, kCountTimer);
  Destroy();
}

void ShutdownWarning::PlaceControls() {
  ::PlaceControls(kPlaces, controls_, dpi_, L"Arial", 15, font_);
}

LRESULT ShutdownWarning::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // clang-format off
  switch (message) {
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_TIMER: if (wParam == kCountTimer) OnTick(); return 0;
    case WM_DPICHANGED: return OnDpiChanged(wParam, lParam);
    case WM_CLOSE: Close(); return 0;  // the close box cancels, as "Отмена" does
    default: return DefaultHandling(message, wParam, lParam);
  }
  // clang-format on
}

LRESULT ShutdownWarning::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED || lParam == 0)
    return DefaultHandling(WM_COMMAND, wParam, lParam);
  const HWND button = reinterpret_cast<HWND>(lParam);
  if (button == Control(ShutdownWarningControl::ShutDownNow)) ShutDownNow();
  if (button == Control(ShutdownWarningControl::Cancel)) Close();
  return 0;
}

void ShutdownWarning::OnTick() {
  const int left = ShutdownSecondsLeft(seconds_, GetTickCount64() - openedAtMs_);
  if (left == 0)
    ShutDownNow();
  else
    ShowSecondsLeft(left);
}

void ShutdownWarning::ShutDownNow() {
  Close();
  if (onShutDown_) onShutDown_();
}

void ShutdownWarning::ShowSecondsLeft(int seconds) {
  if (seconds == shownSeconds_) return;
  shownSeconds_ = seconds;
  SetControlText(Control(ShutdownWarningControl::Text), ShutdownWarningText(seconds));
}
