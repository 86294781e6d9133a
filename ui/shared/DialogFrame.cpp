#include "ui/shared/DialogFrame.h"

#include "ui/shared/DpiScale.h"
#include "win32/Dpi.h"
#include "win32/Fonts.h"
#include "win32/Text.h"

namespace {

// Single fixed border, the close box alone in the title bar.
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME;

}  // namespace

void MoveToPlace(HWND window, const ScaledPlace& place, int dpi) {
  MoveWindow(window, ScaleToDpi(place.left, dpi), ScaleToDpi(place.top, dpi),
             ScaleToDpi(place.width, dpi), ScaleToDpi(place.height, dpi), TRUE);
}

int DialogDpi(HWND owner) { return owner ? WindowDpi(owner) : SystemDpi(); }

bool CreateDialogFrame(WindowBase& window, const wchar_t* className, const std::string& caption,
                       int clientWidth, int clientHeight, HWND owner, bool centredOnScreen) {
  const int dpi = window.Dpi();
  const SIZE frame = FrameForClient(ScaleToDpi(clientWidth, dpi), ScaleToDpi(clientHeight, dpi),
                                    kWindowStyle, kWindowExStyle, dpi);
  const int left = centredOnScreen ? (GetSystemMetrics(SM_CXSCREEN) - frame.cx) / 2 : 0;
  const int top = centredOnScreen ? (GetSystemMetrics(SM_CYSCREEN) - frame.cy) / 2 : 0;
  return window.CreateBound(kWindowExStyle, className, ToWide(caption).c_str(), kWindowStyle, left,
                            top, frame.cx, frame.cy, owner);
}

bool CreateControls(HWND dialog, std::span<const ControlPlace> places, int firstId,
                    std::span<HWND> handles, int dpi) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const ControlPlace& place : places) {
    HWND control = CreateWindowExW(
        place.exStyle, place.className, ToWide(place.text).c_str(), place.style,
        ScaleToDpi(place.at.left, dpi), ScaleToDpi(place.at.top, dpi),
        ScaleToDpi(place.at.width, dpi), ScaleToDpi(place.at.height, dpi), dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstId + place.control)), instance, nullptr);
    if (!control) return false;
    handles[static_cast<size_t>(place.control)] = control;
  }
  return true;
}

void PlaceControls(std::span<const ControlPlace> places, std::span<const HWND> handles, int dpi,
                   const wchar_t* face, int pixels, UniqueFont& font) {
  UniqueFont scaled = CreatePixelFont(face, pixels, true, dpi);
  for (const ControlPlace& place : places) {
    HWND control = handles[static_cast<size_t>(place.control)];
    MoveToPlace(control, place.at, dpi);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(scaled.get()), TRUE);
  }
  // The controls hold the new font now; the old one may go.
  font = std::move(scaled);
}
