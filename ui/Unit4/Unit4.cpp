#include "ui/Unit4/Unit4.h"

#include "win32/Text.h"

namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);  // 0x00FFFF
constexpr DWORD kPopupExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;           // 0x88
constexpr DWORD kPopupStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION;           // 0x90C00000
constexpr DWORD kMessageStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY | ES_AUTOVSCROLL |
                                ES_MULTILINE | ES_CENTER;                   // 0x50800845
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_PUSHLIKE;         // 0x50001000

}  // namespace

void ReminderPopups::RegisterPopupClass() {
  cascade_ = PopupCascade();
  // A positive height: the cell height, 18 pixels.
  PopupFont.reset(CreateFontW(18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                              0, L"Arial"));
  PopupBrush.reset(CreateSolidBrush(kYellow));
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PopupWndProc;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  registered_ = RegisterClassW(&windowClass) != 0;
}

void ReminderPopups::UnregisterPopupClass() {
  if (registered_) UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
  registered_ = false;
  PopupFont.reset();
  PopupBrush.reset();
}

HWND ReminderPopups::ShowReminder(const std::string& caption, const std::string& text) {
  PopupText = ToWide(text);
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const PopupPlace place = cascade_.Open({area.left, area.top, area.right, area.bottom});
  const std::wstring title = L" " + ToWide(caption);
  // The children are made during creation, so PopupText is consumed before this returns.
  return CreateWindowExW(kPopupExStyle, kClassName, title.c_str(), kPopupStyle, place.x, place.y,
                         PopupCascade::kSize, PopupCascade::kSize, nullptr, nullptr,
                         GetModuleHandleW(nullptr), this);
}

void ReminderPopups::OnCreate(HWND popup) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const HWND message = CreateWindowExW(0, L"EDIT", PopupText.c_str(), kMessageStyle, 4, 4, 286, 232,
                                       popup, nullptr, instance, nullptr);
  const HWND ok = CreateWindowExW(0, L"BUTTON", L"OK", kButtonStyle, 95, 244, 110, 25, popup,
                                  nullptr, instance, nullptr);
  SendMessageW(message, WM_SETFONT, reinterpret_cast<WPARAM>(PopupFont.get()), FALSE);
  SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(PopupFont.get()), FALSE);
  SetFocus(ok);
}

LRESULT CALLBACK ReminderPopups::PopupWndProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = reinterpret_cast<ReminderPopups*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      self = static_cast<ReminderPopups*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      break;
    case WM_CREATE:
      if (self) self->OnCreate(hwnd);
      return 0;
    case WM_CTLCOLORSTATIC:  // the read-only message field
      if (self) {
        SetBkColor(reinterpret_cast<HDC>(wParam), kYellow);
        return reinterpret_cast<LRESULT>(self->PopupBrush.get());
      }
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && self) {  // the OK button
        DestroyWindow(hwnd);
        self->cascade_.Closed();
        return 0;
      }
      break;
    case WM_NCHITTEST: {
      // The bare client margins drag the popup like its title bar.
      const LRESULT hit = DefWindowProcW(hwnd, message, wParam, lParam);
      return hit == HTCLIENT ? HTCAPTION : hit;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
