// TForm3, the settings dialog: three options of settings (start with Windows, start minimised,
// keep the icon in the tray). Created once at start-up, hidden between openings; every opening
// fills the boxes from settings. OK stores the options and applies them at once (the tray icon,
// the autostart shortcut) without writing Data.ini; Cancel changes nothing.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "core/Store.h"
#include "win32/Handles.h"

// The controls, created in the tab order.
enum class SettingsControl : int { CheckBox1, CheckBox2, Button1, Button2, CheckBox4, Count };

class TForm3 {
 public:
  static constexpr wchar_t kClassName[] = L"TForm3";
  // In pixels at 96 dots per inch, like the controls' places.
  static constexpr int kClientWidth = 257;
  static constexpr int kClientHeight = 148;
  static constexpr int kFirstControlId = 2000;

  explicit TForm3(Store& store) : store_(store) {}
  ~TForm3();
  TForm3(const TForm3&) = delete;
  TForm3& operator=(const TForm3&) = delete;

  // Creates the window and its controls, hidden, owned by `owner` (the main window).
  bool Create(HWND owner);
  HWND Handle() const { return hwnd_; }
  HWND Control(SettingsControl control) const { return controls_[static_cast<size_t>(control)]; }
  bool IsOpen() const { return modal_; }

  // The main window's "Настройки": DialogMode 2, the boxes filled from settings, shown modally
  // over the centre of the owner. Returns when the dialog has closed.
  void Open();

  // Applies the options just stored in settings: the tray icon and the autostart shortcut. False
  // when the shortcut could not be made (its error box shown): the dialog then stays open.
  void SetOnApply(std::function<bool()> apply) { apply_ = std::move(apply); }
  // The application's message hook, run by the modal loop for every message it takes.
  void SetApplicationMessageHook(std::function<void(const MSG&)> hook) {
    applicationHook_ = std::move(hook);
  }

  void Button1Click();  // OK
  void Button2Click();  // Cancel; also Escape, the close box, the add command, hiding to the tray
  void FormClose();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  template <typename Form>
  friend LRESULT CALLBACK FormWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateControls();
  // Places the controls and gives them the font for the window's density.
  void PlaceControls();
  void OnDpiChanged(int dpi, const RECT& suggested);
  void Close();
  bool Checked(SettingsControl box) const;
  void SetChecked(SettingsControl box, bool checked);

  Store& store_;
  HWND hwnd_ = nullptr;
  std::array<HWND, static_cast<size_t>(SettingsControl::Count)> controls_{};
  UniqueFont font_;  // "MS Sans Serif", 13 pixels, bold
  int dpi_ = 96;
  std::function<bool()> apply_;
  std::function<void(const MSG&)> applicationHook_;
  bool modal_ = false;
  bool closing_ = false;
  bool ownerDisabled_ = false;
};
