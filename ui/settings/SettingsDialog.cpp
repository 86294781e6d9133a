#include "ui/settings/SettingsDialog.h"

#include <mutex>

#include "ui/shared/ControlAccess.h"
#include "ui/shared/DialogFrame.h"
#include "ui/shared/DpiScale.h"
#include "ui/shared/ScreenPlacement.h"
#include "ui/shared/WindowTexts.h"
#include "win32/Dpi.h"

namespace {

constexpr DWORD kBox = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

constexpr int Id(SettingsControl control) { return static_cast<int>(control); }

// In the tab order, which is the reading order.
constexpr ControlPlace kPlaces[] = {
    {Id(SettingsControl::StartWithWindows), L"BUTTON", kStartWithWindowsCheckBox, kBox, 0, 10, 14,
     237, 17},
    {Id(SettingsControl::StartHidden), L"BUTTON", kStartHiddenCheckBox, kBox, 0, 10, 39, 191, 17},
    {Id(SettingsControl::UseTray), L"BUTTON", kUseTrayCheckBox, kBox, 0, 10, 65, 174, 17},
    {Id(SettingsControl::Ok), L"BUTTON", kOkButton, kButton, 0, 47, 104, 75, 25},
    {Id(SettingsControl::Cancel), L"BUTTON", kCancelButton, kButton, 0, 131, 104, 75, 25},
};

}  // namespace

bool SettingsDialog::Create(HWND owner) {
  dpi_ = DialogDpi(owner);
  if (!CreateDialogFrame(*this, kClassName, kSettingsCaption, kClientWidth, kClientHeight, owner,
                         false) ||
      !CreateControls(hwnd_, kPlaces, kFirstControlId, controls_, dpi_))
    return false;
  PlaceControls();
  return true;
}

void SettingsDialog::PlaceControls() {
  ::PlaceControls(kPlaces, controls_, dpi_, L"MS Sans Serif", 13, font_);
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // clang-format off
  switch (message) {
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_DPICHANGED: return OnDpiChanged(wParam, lParam);
    case WM_CLOSE: Cancel(); return 0;  // the window is kept for the next opening
    default: return DefaultHandling(message, wParam, lParam);
  }
  // clang-format on
}

LRESULT SettingsDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED || lParam == 0)
    return DefaultHandling(WM_COMMAND, wParam, lParam);
  if (reinterpret_cast<HWND>(lParam) == Control(SettingsControl::Ok)) Ok();
  if (reinterpret_cast<HWND>(lParam) == Control(SettingsControl::Cancel)) Cancel();
  return 0;
}

void SettingsDialog::Open() {
  if (loop_.Running() || !EnsureCreated()) return;
  Settings settings;
  {
    std::lock_guard lock(store_.mutex);
    settings = store_.settings;
  }
  SetCheckState(Control(SettingsControl::StartWithWindows), settings.startWithWindows);
  SetCheckState(Control(SettingsControl::UseTray), settings.useTray);
  SetCheckState(Control(SettingsControl::StartHidden), settings.startHidden);
  CentreOverOwner(hwnd_);
  loop_.Run(hwnd_, {.shown = [this] { SetFocus(Control(SettingsControl::StartWithWindows)); },
                    .hook = applicationHook_,
                    .enter = [this](HWND target) { return OnEnter(target); },
                    .cancel = [this] { Cancel(); }});
}

bool SettingsDialog::OnEnter(HWND target) {
  if (target == Control(SettingsControl::Cancel))
    Cancel();
  else
    Ok();
  return true;
}

void SettingsDialog::Ok() {
  if (!loop_.Running()) return;
  const bool startWithWindows = IsChecked(Control(SettingsControl::StartWithWindows));
  const bool startHidden = IsChecked(Control(SettingsControl::StartHidden));
  const bool useTray = IsChecked(Control(SettingsControl::UseTray));
  {
    std::lock_guard lock(store_.mutex);
    store_.settings.startWithWindows = startWithWindows;
    store_.settings.startHidden = startHidden;
    store_.settings.useTray = useTray;
  }
  if (apply_ && !apply_()) return;
  Cancel();
}

void SettingsDialog::Cancel() {
  if (hwnd_ && loop_.Running()) loop_.End();
}
