#include "ui/popup/ReminderPopups.h"

#include <iterator>

#include "core/Snooze.h"
#include "core/Texts.h"
#include "ui/shared/DialogFrame.h"
#include "ui/shared/DpiScale.h"
#include "ui/shared/WindowTexts.h"
#include "win32/CommonControls.h"
#include "win32/Dpi.h"
#include "win32/Fonts.h"
#include "win32/Text.h"

namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);
// Above other programs' windows, without a taskbar button of its own; a caption without a system
// menu or close box: a reminder closes by its buttons. Made hidden, then shown without taking the
// keyboard (a window made visible would become the active one).
constexpr DWORD kPopupExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr DWORD kPopupStyle = WS_POPUP | WS_CAPTION;
constexpr DWORD kMessageStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY | ES_AUTOVSCROLL | ES_MULTILINE | ES_CENTER;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_PUSHLIKE;
constexpr DWORD kDurationStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST;

// The message field and OK have the identifier 0 (scripts tell them apart by class); the
// duration list and "Отложить" have their own.
constexpr int kDurationId = 1;
constexpr int kSnoozeId = 2;
// The duration list's items stand for kSnoozeMinutes, one for one.
static_assert(kSnoozeTexts.size() == kSnoozeMinutes.size());

// The children's places in the client area.
constexpr ScaledPlace kMessagePlace{4, 4, 286, 232};
constexpr ScaledPlace kButtonPlace{95, 244, 110, 25};
// In the margins on either side of OK; the list's height includes its drop-down part.
constexpr ScaledPlace kDurationPlace{4, 244, 87, 200};
constexpr ScaledPlace kSnoozePlace{209, 244, 81, 25};

UniqueFont MakePopupFont(int dpi) {
  return CreatePixelFont(L"Arial", 18, true, dpi, FontHeight::Cell, DEFAULT_PITCH | FF_DONTCARE);
}

// The field's text, wrapped at its width, has more lines than the field shows.
bool TextOverflows(HWND field) {
  const LRESULT lines = SendMessageW(field, EM_GETLINECOUNT, 0, 0);
  if (lines < 2) return false;
  // A line's height: how far the second line starts below the first.
  const auto lineTop = [field](WPARAM line) {
    const LRESULT start = SendMessageW(field, EM_LINEINDEX, line, 0);
    return static_cast<short>(HIWORD(SendMessageW(field, EM_POSFROMCHAR, start, 0)));
  };
  RECT shown{};
  SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
  return lines * (lineTop(1) - lineTop(0)) > shown.bottom - shown.top;
}

// Enter on a popup's button presses it, and on its message field presses OK (`refData`), as the
// program's other windows take Enter; Space is the buttons' own. Posted: the popup closes
// meanwhile.
LRESULT CALLBACK EnterPresses(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                              UINT_PTR subclassId, DWORD_PTR refData) {
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    PostMessageW(refData ? reinterpret_cast<HWND>(refData) : control, BM_CLICK, 0, 0);
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, &EnterPresses, subclassId);
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void ReminderPopups::RegisterPopupClass() {
  cascade_ = PopupCascade();
  // Made for the primary screen, where popups open.
  popupFontDpi_ = SystemDpi();
  font_ = MakePopupFont(popupFontDpi_);
  brush_.reset(CreateSolidBrush(kYellow));
}

void ReminderPopups::UnregisterPopupClass() {
  UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
  font_.reset();
  otherFonts_.clear();
  brush_.reset();
}

HWND ReminderPopups::ShowReminder(const std::string& caption, const std::string& text, bool sound,
                                  int32_t snoozeMinutes, const SoundChoice& soundChoice,
                                  uint64_t reminder) {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  // The popup is sized for the screen whose corner it opens in.
  const POINT corner{area.right - 1, area.bottom - 1};
  const int dpi = MonitorDpi(MonitorFromPoint(corner, MONITOR_DEFAULTTOPRIMARY));
  const PopupPlace place = cascade_.Open({area.left, area.top, area.right, area.bottom}, dpi);
  auto popup = std::make_unique<Popup>(
      *this, Reminder{caption.starts_with(' ') ? caption.substr(1) : caption, text, sound,
                      snoozeMinutes, soundChoice, reminder});
  if (!popup->Open(caption, place, dpi)) {
    // Never to be answered by a click: answered now, so that its sound does not wait for it.
    if (onAnswered_) onAnswered_(reminder);
    return nullptr;
  }
  const HWND window = popup->Handle();
  open_[window] = std::move(popup);
  return window;
}

void ReminderPopups::Close(Popup& popup, bool snooze) {
  int32_t minutes = kDefaultSnoozeMinutes;
  if (snooze) {
    const HWND list = GetDlgItem(popup.Handle(), kDurationId);
    const LRESULT chosen = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (chosen >= 0 && static_cast<size_t>(chosen) < kSnoozeMinutes.size())
      minutes = kSnoozeMinutes[static_cast<size_t>(chosen)];
  }
  const Reminder reminder = popup.reminder_;
  const HWND window = popup.Handle();
  popup.Destroy();
  open_.erase(window);  // the popup's object goes with its window
  cascade_.Closed();
  if (onAnswered_) onAnswered_(reminder.number);  // its sound stops at once
  if (snooze && onSnooze_)
    onSnooze_(reminder.moment, reminder.text, reminder.sound, reminder.soundChoice, minutes);
}

HFONT ReminderPopups::FontFor(int dpi) {
  if (dpi == popupFontDpi_) return font_.get();
  UniqueFont& font = otherFonts_[dpi];
  if (!font) font = MakePopupFont(dpi);
  return font.get();
}

bool ReminderPopups::Popup::Open(const std::string& caption, PopupPlace place, int dpi) {
  dpi_ = dpi;
  const int size = ScaleToDpi(PopupCascade::kSize, dpi);
  if (!CreateBound(kPopupExStyle, kClassName, (L" " + ToWide(caption)).c_str(), kPopupStyle,
                   place.x, place.y, size, size, nullptr, WindowBase::kNoIcon))
    return false;
  // On top of every window, while the window the user types in keeps the keyboard.
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return true;
}

LRESULT ReminderPopups::Popup::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // clang-format off
  switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_DPICHANGED: return OnDpiChanged(wParam, lParam);
    case WM_CTLCOLORSTATIC: return OnMessageColour(reinterpret_cast<HDC>(wParam));
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_CLOSE: owner_.Close(*this, false); return 0;  // Alt+F4: as OK
    case WM_NCHITTEST: return OnHitTest(wParam, lParam);
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    default: return DefaultHandling(message, wParam, lParam);
  }
  // clang-format on
}

HWND ReminderPopups::Popup::CreateMessageField(DWORD style) {
  const HWND field = CreateWindowExW(0, L"EDIT", ToWide(reminder_.text).c_str(), style, 0, 0, 0, 0,
                                     hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  // The first child, as scripts that read the popups expect.
  SetWindowPos(field, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowSubclass(field, &EnterPresses, 0, reinterpret_cast<DWORD_PTR>(ok_));
  return field;
}

LRESULT ReminderPopups::Popup::OnCreate() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  // OK is made first, for the field to press it, and then put after the field.
  ok_ = CreateWindowExW(0, L"BUTTON", ToWide(kOkButton).c_str(), kButtonStyle, 0, 0, 0, 0, hwnd_,
                        nullptr, instance, nullptr);
  SetWindowSubclass(ok_, &EnterPresses, 0, 0);
  const HWND field = CreateMessageField(kMessageStyle);
  const HWND durations = CreateWindowExW(0, L"COMBOBOX", L"", kDurationStyle, 0, 0, 0, 0, hwnd_,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDurationId)),
                                         instance, nullptr);
  for (const char* duration : kSnoozeTexts)
    SendMessageW(durations, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(duration).c_str()));
  SendMessageW(durations, CB_SETCURSEL, SnoozeChoiceIndex(reminder_.snoozeMinutes), 0);
  const HWND snooze =
      CreateWindowExW(0, L"BUTTON", ToWide(kSnoozeButton).c_str(), kButtonStyle, 0, 0, 0, 0, hwnd_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSnoozeId)), instance, nullptr);
  SetWindowSubclass(snooze, &EnterPresses, 0, 0);
  PlaceChildren();
  // A message longer than its field gets a scroll bar; a short one keeps the plain field. The edit
  // control takes its scroll bar only when created with it.
  if (TextOverflows(field)) {
    DestroyWindow(field);
    CreateMessageField(kMessageStyle | WS_VSCROLL);
    PlaceChildren();
  }
  // No focus yet: the popup opens without the keyboard (OnActivate).
  return 0;
}

LRESULT ReminderPopups::Popup::OnActivate(WPARAM wParam, LPARAM lParam) {
  // Clicked (or otherwise activated), the popup takes the keyboard with OK focused, so Enter and
  // Space answer it; a click on another control moves the focus there right after.
  if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam))
    return DefaultHandling(WM_ACTIVATE, wParam, lParam);
  SetFocus(ok_);
  return 0;
}

void ReminderPopups::Popup::PlaceChildren() {
  const HFONT font = owner_.FontFor(dpi_);
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    wchar_t className[16]{};
    GetClassNameW(child, className, static_cast<int>(std::size(className)));
    const bool isButton = lstrcmpiW(className, L"Button") == 0;
    const ScaledPlace& place = id == kDurationId ? kDurationPlace
                               : id == kSnoozeId ? kSnoozePlace
                               : isButton        ? kButtonPlace
                                                 : kMessagePlace;
    MoveToPlace(child, place, dpi_);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

void ReminderPopups::Popup::OnDensityChanged(int) {
  PlaceChildren();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT ReminderPopups::Popup::OnMessageColour(HDC dc) {
  SetBkColor(dc, kYellow);
  return reinterpret_cast<LRESULT>(owner_.brush_.get());
}

LRESULT ReminderPopups::Popup::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED) return DefaultHandling(WM_COMMAND, wParam, lParam);
  owner_.Close(*this, LOWORD(wParam) == kSnoozeId);  // this object is gone afterwards
  return 0;
}

LRESULT ReminderPopups::Popup::OnHitTest(WPARAM wParam, LPARAM lParam) {
  const LRESULT hit = DefaultHandling(WM_NCHITTEST, wParam, lParam);
  return hit == HTCLIENT ? HTCAPTION : hit;
}
