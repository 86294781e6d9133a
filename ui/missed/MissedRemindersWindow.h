// The list of reminders missed while the computer was off or asleep: one row per task, with its
// last moment missed, how many it missed, its message and what it would have done. It stays on
// top without taking the keyboard from the window the user is typing in, as a popup does; OK
// (or its close box) closes it.
#pragma once

#include <windows.h>

#include <vector>

#include "core/MissedReminder.h"
#include "ui/shared/WindowBase.h"
#include "win32/Handles.h"

class MissedRemindersWindow : public WindowBase {
 public:
  // Automation scripts and the tests find the window by its class.
  static constexpr wchar_t kClassName[] = L"VornakelMissed";
  // The client area at 96 dots per inch.
  static constexpr int kClientWidth = 640, kClientHeight = 240;
  static constexpr int kOkId = 1;

  ~MissedRemindersWindow() override { Destroy(); }

  // Opens the window centred on the primary work area, or adds the rows to the open one.
  void Show(const std::vector<MissedReminder>& rows);
  HWND List() const { return list_; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCreate();
  void OnDensityChanged(int previousDpi) override;
  // The list above the OK button, both in the fonts of the window's density.
  void PlaceChildren();
  void AddRow(const MissedReminder& row);

  HWND list_ = nullptr;
  HWND ok_ = nullptr;
  UniqueFont font_;
};
