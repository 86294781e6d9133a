// What every window of the program shares: the handle, the binding of its object to the window
// (made on WM_NCCREATE, let go on WM_NCDESTROY), the window's destruction with its object, and
// the move to a screen of another density.
#pragma once

#include <windows.h>

class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND Handle() const { return hwnd_; }
  // The density the window is laid out for (96 at 100 %).
  int Dpi() const { return dpi_; }

  // Creates a window of `className` bound to this object. The class is registered with the first
  // window (the arrow cursor, the button-face background, the program's icon unless kNoIcon).
  static constexpr bool kNoIcon = false;
  bool CreateBound(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                   int left, int top, int width, int height, HWND owner, bool withIcon = true);
  // Destroys the window now, its handlers running as usual.
  void Destroy();

 protected:
  WindowBase() = default;
  // The derived object is gone by now: the window is let go first, so none of its handlers runs.
  virtual ~WindowBase();

  // The window's messages, but for the binding's own.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
  // WM_DPICHANGED: the window takes the new density and the outer rectangle the system suggests
  // for it, then lays itself out again (OnDensityChanged).
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
  virtual void OnDensityChanged(int /*previousDpi*/) {}

  HWND hwnd_ = nullptr;
  int dpi_ = 96;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
