#include "ui/shared/WindowBase.h"

#include "ui/shared/DpiScale.h"
#include "win32/Dpi.h"

WindowBase::~WindowBase() {
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

bool WindowBase::CreateBound(DWORD exStyle, const wchar_t* className, const wchar_t* title,
                             DWORD style, int left, int top, int width, int height, HWND owner,
                             bool withIcon) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  if (!GetClassInfoW(instance, className, &windowClass)) {
    windowClass = WNDCLASSW{};
    windowClass.lpfnWndProc = &WindowBase::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = withIcon ? LoadIconW(instance, L"MAINICON") : nullptr;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    if (!RegisterClassW(&windowClass)) return false;
  }
  CreateWindowExW(exStyle, className, title, style, left, top, width, height, owner, nullptr,
                  instance, this);
  return hwnd_ != nullptr;
}

void WindowBase::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT WindowBase::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  const int previousDpi = dpi_;
  dpi_ = UsableDpi(LOWORD(wParam));
  MoveToSuggestedRect(hwnd_, *reinterpret_cast<const RECT*>(lParam));
  OnDensityChanged(previousDpi);
  return 0;
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    if (auto* self = static_cast<WindowBase*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams)) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  }
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}
