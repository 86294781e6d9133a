#include "win32/Dpi.h"

#include "win32/SystemLibrary.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

template <typename Function>
Function User32Function(const char* name) {
  // user32 is loaded in every window program; only the address is looked up.
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}

GetDpiForMonitorFn MonitorDpiFunction() {
  // shcore is loaded on demand rather than imported: Windows 7 has none.
  static const GetDpiForMonitorFn function = []() -> GetDpiForMonitorFn {
    HMODULE shcore = LoadSystemLibrary(L"shcore.dll");
    if (!shcore) return nullptr;
    return reinterpret_cast<GetDpiForMonitorFn>(
        reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
  }();
  return function;
}

int ScreenDeviceDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : USER_DEFAULT_SCREEN_DPI;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int SystemDpi() {
  static const auto getDpiForSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
  if (getDpiForSystem) {
    const UINT dpi = getDpiForSystem();
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDeviceDpi();
}

int WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

int MonitorDpi(HMONITOR monitor) {
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  if (const GetDpiForMonitorFn getDpiForMonitor = MonitorDpiFunction();
      getDpiForMonitor && monitor) {
    UINT x = 0;
    UINT y = 0;
    if (SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && x > 0)
      return static_cast<int>(x);
  }
  return SystemDpi();
}

SIZE FrameForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjustForDpi =
      User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, clientWidth, clientHeight};
  if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void MoveToSuggestedRect(HWND window, const RECT& suggested) {
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}
