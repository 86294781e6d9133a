#include "ui/main/TaskbarButton.h"

#include "win32/FormClass.h"
#include "win32/MessageIds.h"

TaskbarButton::~TaskbarButton() { Destroy(); }

bool TaskbarButton::Create(const wchar_t* title) {
  if (!RegisterFormClass(kClassName, &TaskbarButton::WindowProc)) return false;
  // No caption and no size, so nothing of it is drawn; the system menu and the minimise box give
  // the button its "Minimise", "Restore" and "Close window".
  CreateWindowExW(0, kClassName, title, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                  nullptr, nullptr, GetModuleHandleW(nullptr), this);
  return hwnd_ != nullptr;
}

void TaskbarButton::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK TaskbarButton::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return FormWindowProc<TaskbarButton>(hwnd, message, wParam, lParam);
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
  switch (message) {
    case WM_CLOSE:
      // "Close window" on the taskbar: the program ends, as by the tray menu's "Выход".
      if (main_) SendMessageW(main_, WM_COMMAND, kCommandExit, 0);
      return 0;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED)
        OnMinimised();
      else
        OnRestored();
      return 0;
    case WM_ACTIVATE:
      // The button was chosen (a click, Alt+Tab): the main window or its open dialog takes over.
      if (LOWORD(wParam) != WA_INACTIVE && main_ && IsWindowVisible(main_)) {
        SetActiveWindow(GetLastActivePopup(main_));
        return 0;
      }
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
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
