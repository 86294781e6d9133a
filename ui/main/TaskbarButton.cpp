#include "ui/main/TaskbarButton.h"

#include "win32/MessageIds.h"

bool TaskbarButton::Create(const wchar_t* title) {
  // No caption and no size, so nothing of it is drawn; the system menu and the minimise box give
  // the button its "Minimise", "Restore" and "Close window".
  return CreateBound(0, kClassName, title, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                     GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                     nullptr);
}

void TaskbarButton::Show() { ShowWindow(hwnd_, SW_SHOWNA); }

void TaskbarButton::Hide() { ShowWindow(hwnd_, SW_HIDE); }

void TaskbarButton::MinimiseProgram() {
  if (!IsIconic(hwnd_)) ShowWindow(hwnd_, SW_MINIMIZE);
}

void TaskbarButton::RestoreProgram() {
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  // A window restored with its button hidden (the tray) comes back without WM_SIZE.
  OnRestored();
}

LRESULT TaskbarButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // clang-format off
  switch (message) {
    case WM_CLOSE: OnClose(); return 0;
    case WM_SIZE: wParam == SIZE_MINIMIZED ? OnMinimised() : OnRestored(); return 0;
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    default: return DefaultHandling(message, wParam, lParam);
  }
  // clang-format on
}

void TaskbarButton::OnClose() {
  if (main_) SendMessageW(main_, WM_COMMAND, kCommandExit, 0);
}

LRESULT TaskbarButton::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WA_INACTIVE || !main_ || !IsWindowVisible(main_))
    return DefaultHandling(WM_ACTIVATE, wParam, lParam);
  SetActiveWindow(GetLastActivePopup(main_));
  return 0;
}

void TaskbarButton::OnMinimised() {
  if (!main_) return;
  if (IsWindowVisible(main_)) {
    ShowOwnedPopups(main_, FALSE);
    ShowWindow(main_, SW_HIDE);
    mainHidden_ = true;
  }
  // The minimise hook: however the program was minimised (the taskbar button, the toggle, the
  // system), the main window hears of it; with the tray option on it then hides to the tray.
  PostMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TaskbarButton::OnRestored() {
  if (!main_ || !mainHidden_) return;
  mainHidden_ = false;
  ShowWindow(main_, IsIconic(main_) ? SW_RESTORE : SW_SHOW);
  ShowOwnedPopups(main_, TRUE);
  SetForegroundWindow(GetLastActivePopup(main_));
}
