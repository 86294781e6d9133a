// The warning before a task shuts the computer down: a small window above every other that counts
// the seconds down ("Компьютер будет выключен через 60 с") and asks for the shutdown when the count
// ends or "Выключить сейчас" is pressed; "Отмена" (or the close box) closes it and nothing shuts
// down. It opens without taking the keyboard from the window the user is typing in; a click on it
// works as on any window.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>

#include "ui/shared/WindowBase.h"
#include "ui/shutdown/ShutdownCountdown.h"
#include "win32/Handles.h"

// The controls, created in the tab order.
enum class ShutdownWarningControl : int { Text, ShutDownNow, Cancel, Count };

class ShutdownWarning : public WindowBase {
 public:
  // The window class. Scripts find the warning by it, and its controls by their identifiers
  // (kFirstControlId + the control).
  static constexpr wchar_t kClassName[] = L"VornakelShutdownWarning";
  static constexpr int kFirstControlId = 3000;
  // In pixels at 96 dots per inch, like the controls' places.
  static constexpr int kClientWidth = 360, kClientHeight = 92;

  // What the end of the count and "Выключить сейчас" ask for, once the warning has closed.
  void SetOnShutDown(std::function<void()> onShutDown) { onShutDown_ = std::move(onShutDown); }

  // Opens the warning centred on the screen, counting `seconds` down. One already open goes on
  // with its own count. False when the window could not be made.
  bool Open(int seconds = kShutdownWarningSeconds);
  // Closes it without shutting down: "Отмена", or the program ends.
  void Close();
  bool IsOpen() const { return hwnd_ != nullptr; }
  HWND Control(ShutdownWarningControl control) const {
    return controls_[static_cast<size_t>(control)];
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  // The count's timer: the text follows the seconds left, and at none the computer goes off.
  void OnTick();
  void ShutDownNow();
  void ShowSecondsLeft(int seconds);
  void PlaceControls();
  void OnDensityChanged(int) override { PlaceControls(); }

  std::array<HWND, static_cast<size_t>(ShutdownWarningControl::Count)> controls_{};
  UniqueFont font_;  // Arial, 15 pixels, bold
  std::function<void()> onShutDown_;
  int seconds_ = kShutdownWarningSeconds;
  uint64_t openedAtMs_ = 0;
  int shownSeconds_ = -1;
};
