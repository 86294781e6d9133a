#include "ui/settings/SettingsDialog.h"

#include <mutex>

#include "ui/editor/DialogMode.h"
#include "ui/shared/CentreOverOwner.h"
#include "ui/shared/DpiScale.h"
#include "win32/CommonControls.h"
#include "win32/Dpi.h"
#include "win32/Fonts.h"
#include "win32/FormClass.h"
#include "win32/Text.h"

namespace {

// Single fixed border, the close box alone in the title bar.
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME;

struct ControlPlace {
  SettingsControl control;
  const wchar_t* className;
  const char* caption;
  DWORD style;
  int left, top, width, height;
};

// In the tab order: CheckBox1, CheckBox2, Button1, Button2, CheckBox4.
constexpr ControlPlace kPlaces[] = {
    {SettingsControl::CheckBox1, L"BUTTON", "Запускать вместе с Windows", BS_AUTOCHECKBOX, 10, 14,
     237, 17},
    {SettingsControl::CheckBox2, L"BUTTON", "Сворачивать в трей", BS_AUTOCHECKBOX, 10, 65, 174, 17},
    {SettingsControl::Button1, L"BUTTON", "OK", BS_PUSHBUTTON, 47, 104, 75, 25},
    {SettingsControl::Button2, L"BUTTON", "Cancel", BS_PUSHBUTTON, 131, 104, 75, 25},
    {SettingsControl::CheckBox4, L"BUTTON", "Запускать свёрнутым", BS_AUTOCHECKBOX, 10, 39, 191,
     17},
};

}  // namespace

TForm3::~TForm3() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool TForm3::Create(HWND owner) {
  if (!RegisterFormClass(TForm3::kClassName, &TForm3::WindowProc)) return false;
  // The dialog opens over the main window, at the density of its screen.
  dpi_ = owner ? WindowDpi(owner) : SystemDpi();
  const SIZE frame = FrameForClient(ScaleToDpi(kClientWidth, dpi_), ScaleToDpi(kClientHeight, dpi_),
                                    kWindowStyle, kWindowExStyle, dpi_);
  CreateWindowExW(kWindowExStyle, kClassName, ToWide(" Настройки").c_str(), kWindowStyle, 0, 0,
                  frame.cx, frame.cy, owner, nullptr, GetModuleHandleW(nullptr), this);
  return hwnd_ && CreateControls();
}

bool TForm3::CreateControls() {
  for (const ControlPlace& place : kPlaces) {
    const int id = kFirstControlId + static_cast<int>(place.control);
    HWND control = CreateWindowExW(0, place.className, ToWide(place.caption).c_str(),
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | place.style, 0, 0, 0, 0,
                                   hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (!control) return false;
    controls_[static_cast<size_t>(place.control)] = control;
  }
  PlaceControls();
  return true;
}

void TForm3::PlaceControls() {
  UniqueFont font = CreatePixelFont(L"MS Sans Serif", 13, true, dpi_);
  for (const ControlPlace& place : kPlaces) {
    HWND control = Control(place.control);
    MoveWindow(control, ScaleToDpi(place.left, dpi_), ScaleToDpi(place.top, dpi_),
               ScaleToDpi(place.width, dpi_), ScaleToDpi(place.height, dpi_), TRUE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  // The controls hold the new font now; the old one may go.
  font_ = std::move(font);
}

void TForm3::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = UsableDpi(dpi);
  MoveToSuggestedRect(hwnd_, suggested);
  PlaceControls();
}

LRESULT CALLBACK TForm3::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return FormWindowProc<TForm3>(hwnd, message, wParam, lParam);
}

LRESULT TForm3::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
        if (reinterpret_cast<HWND>(lParam) == Control(SettingsControl::Button1)) Button1Click();
        if (reinterpret_cast<HWND>(lParam) == Control(SettingsControl::Button2)) Button2Click();
        return 0;
      }
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      // The close box is a cancel; the window is kept for the next opening.
      Button2Click();
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}
bool TForm3::Checked(SettingsControl box) const {
  return SendMessageW(Control(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm3::SetChecked(SettingsControl box, bool checked) {
  SendMessageW(Control(box), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TForm3::Open() {
  if (modal_ || !hwnd_) return;
  DialogMode = 2;
  Settings session;
  {
    std::lock_guard lock(store_.Mutex);
    session = store_.settings;
  }
  SetChecked(SettingsControl::CheckBox1, session.startWithWindows != 0);
  SetChecked(SettingsControl::CheckBox2, session.useTray != 0);
  SetChecked(SettingsControl::CheckBox4, session.startHidden != 0);
  modal_ = true;
  closing_ = false;
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  ownerDisabled_ = owner && IsWindowEnabled(owner);
  if (ownerDisabled_) EnableWindow(owner, FALSE);
  CentreOverOwner(hwnd_);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetFocus(Control(SettingsControl::CheckBox1));

  MSG message{};
  while (!closing_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: leave as after Cancel and let the main loop see the quit.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      Close();
      break;
    }
    if (applicationHook_) applicationHook_(message);
    if (closing_) break;
    // Tab moves through the controls in their creation order.
    if (IsDialogMessageW(hwnd_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  modal_ = false;
}

void TForm3::Close() {
  if (!hwnd_ || closing_ || !modal_) return;
  FormClose();
  closing_ = true;
  // The owner comes back at once: a command that closed this dialog may open another over it
  // before this loop has ended.
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (ownerDisabled_ && owner) EnableWindow(owner, TRUE);
  ownerDisabled_ = false;
  ShowWindow(hwnd_, SW_HIDE);
}

void TForm3::FormClose() { DialogMode = 0; }

void TForm3::Button1Click() {
  if (!modal_ || closing_) return;
  const uint8_t winS = Checked(SettingsControl::CheckBox1) ? 1 : 0;
  const uint8_t sMin = Checked(SettingsControl::CheckBox4) ? 1 : 0;
  const uint8_t tray = Checked(SettingsControl::CheckBox2) ? 1 : 0;
  {
    std::lock_guard lock(store_.Mutex);
    store_.settings.startWithWindows = winS;
    store_.settings.startHidden = sMin;
    store_.settings.useTray = tray;
  }
  if (apply_ && !apply_()) return;
  Close();
}

void TForm3::Button2Click() { Close(); }
