#include "ui/popup/ReminderPopups.h"

#include <iterator>

#include "core/Snooze.h"
#include "ui/shared/DialogFrame.h"
#include "ui/shared/DpiScale.h"
#include "win32/Dpi.h"
#include "win32/Fonts.h"
#include "win32/Text.h"

namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);
// Above other programs' windows, without a taskbar button of its own; a caption without a system
// menu or close box: a reminder closes by its buttons.
constexpr DWORD kPopupExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr DWORD kPopupStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION;
constexpr DWORD kMessageStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY | ES_AUTOVSCROLL | ES_MULTILINE | ES_CENTER;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_PUSHLIKE;
constexpr DWORD kDurationStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST;

// The message field and OK have the identifier 0 (scripts tell them apart by class); the
// duration list and "Отложить" have their own.
constexpr int kDurationId = 1;
constexpr int kSnoozeId = 2;

// The children's places in the client area.
constexpr ScaledPlace kMessagePlace{4, 4, 286, 232};
constexpr ScaledPlace kButtonPlace{95, 244, 110, 25};
// In the margins on either side of OK; the list's height includes its drop-down part.
constexpr ScaledPlace kDurationPlace{4, 244, 87, 200};
constexpr ScaledPlace kSnoozePlace{209, 244, 81, 25};

UniqueFont MakePopupFont(int dpi) {
  return CreatePixelFont(L"Arial", 18, true, dpi, FontHeight::Cell, DEFAULT_PITCH | FF_DONTCARE);
}

}  // namespace

void ReminderPopups::RegisterPopupClass() {
  cascade_ = PopupCascade();
  // Made for the primary screen, where popups open.
  popupFontDpi_ = SystemDpi();
  font_ = MakePopupFont(popupFontDpi_);
  brush_.reset(CreateSolidBrush(kYellow));
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
  font_.reset();
  otherFonts_.clear();
  brush_.reset();
}

HWND ReminderPopups::ShowReminder(const std::string& caption, const std::string& text, bool sound,
                                  int32_t snoozeMinutes) {
  pendingText_ = ToWide(text);
  pendingSnoozeMinutes_ = snoozeMinutes;
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  // The popup is sized for the screen whose corner it opens in.
  const POINT corner{area.right - 1, area.bottom - 1};
  creatingDpi_ = MonitorDpi(MonitorFromPoint(corner, MONITOR_DEFAULTTOPRIMARY));
  const PopupPlace place =
      cascade_.Open({area.left, area.top, area.right, area.bottom}, creatingDpi_);
  const int size = ScaleToDpi(PopupCascade::kSize, creatingDpi_);
  const std::wstring title = L" " + ToWide(caption);
  // The children are made during creation, so pendingText_ is consumed before this returns.
  const HWND popup =
      CreateWindowExW(kPopupExStyle, kClassName, title.c_str(), kPopupStyle, place.x, place.y, size,
                      size, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (popup) shown_[popup] = {caption.starts_with(' ') ? caption.substr(1) : caption, text, sound};
  return popup;
}

void ReminderPopups::Close(HWND popup, bool snooze) {
  const auto it = shown_.find(popup);
  Shown reminder = it != shown_.end() ? std::move(it->second) : Shown{};
  int32_t minutes = kDefaultSnoozeMinutes;
  if (snooze) {
    const HWND list = GetDlgItem(popup, kDurationId);
    const LRESULT chosen = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (chosen >= 0 && static_cast<size_t>(chosen) < kSnoozeMinutes.size())
      minutes = kSnoozeMinutes[static_cast<size_t>(chosen)];
  }
  DestroyWindow(popup);
  cascade_.Closed();
  if (snooze && onSnooze_) onSnooze_(reminder.moment, reminder.text, reminder.sound, minutes);
}

HFONT ReminderPopups::FontFor(int dpi) {
  if (dpi == popupFontDpi_) return font_.get();
  UniqueFont& font = otherFonts_[dpi];
  if (!font) font = MakePopupFont(dpi);
  return font.get();
}

void ReminderPopups::OnCreate(HWND popup) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  CreateWindowExW(0, L"EDIT", pendingText_.c_str(), kMessageStyle, 0, 0, 0, 0, popup, nullptr,
                  instance, nullptr);
  const HWND ok = CreateWindowExW(0, L"BUTTON", L"OK", kButtonStyle, 0, 0, 0, 0, popup, nullptr,
                                  instance, nullptr);
  const HWND durations = CreateWindowExW(0, L"COMBOBOX", L"", kDurationStyle, 0, 0, 0, 0, popup,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDurationId)),
                                         instance, nullptr);
  for (const char* duration : kSnoozeTexts)
    SendMessageW(durations, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(duration).c_str()));
  SendMessageW(durations, CB_SETCURSEL, SnoozeChoiceIndex(pendingSnoozeMinutes_), 0);
  CreateWindowExW(0, L"BUTTON", ToWide("Отложить").c_str(), kButtonStyle, 0, 0, 0, 0, popup,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSnoozeId)), instance, nullptr);
  PlaceChildren(popup, creatingDpi_);
  SetFocus(ok);
}

void ReminderPopups::PlaceChildren(HWND popup, int dpi) {
  const HFONT font = FontFor(dpi);
  for (HWND child = GetWindow(popup, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    wchar_t className[16]{};
    GetClassNameW(child, className, static_cast<int>(std::size(className)));
    const bool isButton = lstrcmpiW(className, L"Button") == 0;
    const ScaledPlace& place = id == kDurationId ? kDurationPlace
                               : id == kSnoozeId ? kSnoozePlace
                               : isButton        ? kButtonPlace
                                                 : kMessagePlace;
    MoveToPlace(child, place, dpi);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

void ReminderPopups::OnDpiChanged(HWND popup, int dpi, const RECT& suggested) {
  MoveToSuggestedRect(popup, suggested);
  PlaceChildren(popup, UsableDpi(dpi));
  InvalidateRect(popup, nullptr, TRUE);
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
    case WM_DPICHANGED:
      if (self) {
        self->OnDpiChanged(hwnd, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:  // the read-only message field
      if (self) {
        SetBkColor(reinterpret_cast<HDC>(wParam), kYellow);
        return reinterpret_cast<LRESULT>(self->brush_.get());
      }
      break;
    case WM_COMMAND:
      // The buttons' clicks; the duration list's notifications are never 0.
      if (HIWORD(wParam) == BN_CLICKED && self) {
        self->Close(hwnd, LOWORD(wParam) == kSnoozeId);
        return 0;
      }
      break;
    case WM_NCDESTROY:
      if (self) self->shown_.erase(hwnd);
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
