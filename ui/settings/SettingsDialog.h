// The settings dialog: three options (start with Windows, start hidden, keep the icon in the
// tray). Created when first opened, hidden between openings; every opening fills the boxes from
// the settings. OK stores the options, applies them at once (the tray icon, the autostart
// shortcut) and saves Data.ini; Cancel changes nothing.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "core/Store.h"
#include "ui/shared/ModalLoop.h"
#include "ui/shared/WindowBase.h"
#include "win32/Handles.h"

// The controls, created in the tab order.
enum class SettingsControl : int { StartWithWindows, UseTray, Ok, Cancel, StartHidden, Count };

class SettingsDialog : public WindowBase {
 public:
  // The window class. Users' automation scripts find the dialog by it.
  static constexpr wchar_t kClassName[] = L"TForm3";
  // In pixels at 96 dots per inch, like the controls' places.
  static constexpr int kClientWidth = 257, kClientHeight = 148;
  static constexpr int kFirstControlId = 2000;

  explicit SettingsDialog(Store& store) : store_(store) {}

  // Creates the window and its controls, hidden, owned by `owner` (the main window).
  bool Create(HWND owner);
  // Leaves the window to be created, owned by `owner`, when the dialog first opens.
  void CreateOnFirstOpening(HWND owner) { owner_ = owner; }
  // Whether the window exists, created now if it was left to the first opening.
  bool EnsureCreated() { return hwnd_ || (owner_ && Create(owner_)); }
  HWND Control(SettingsControl control) const { return controls_[static_cast<size_t>(control)]; }
  bool IsOpen() const { return loop_.Running(); }

  // The main window's "Настройки": the boxes filled from the settings, shown modally over the
  // centre of the owner. Returns when the dialog has closed.
  void Open();

  // Applies the options just stored in the settings: the tray icon and the autostart shortcut.
  // False when the shortcut could not be made (its error box shown): the dialog then stays open.
  void SetOnApply(std::function<bool()> apply) { apply_ = std::move(apply); }
  // The application's message hook, run by the modal loop for every message it takes.
  void SetApplicationMessageHook(std::function<void(const MSG&)> hook) {
    applicationHook_ = std::move(hook);
  }

  void Ok();
  // Also Escape, the close box, the add command and hiding to the tray.
  void Cancel();

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // OK and "Отмена"; other commands take the default handling.
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  // Places the controls and gives them the font for the window's density.
  void PlaceControls();
  void OnDensityChanged(int) override { PlaceControls(); }
  // Enter is OK wherever the focus is, but on "Отмена".
  bool OnEnter(HWND target);

  Store& store_;
  HWND owner_ = nullptr;  // for a window created on first opening
  std::array<HWND, static_cast<size_t>(SettingsControl::Count)> controls_{};
  UniqueFont font_;  // "MS Sans Serif", 13 pixels, bold
  std::function<bool()> apply_;
  std::function<void(const MSG&)> applicationHook_;
  ModalLoop loop_;
};
