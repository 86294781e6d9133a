// The reminder popup: a small yellow topmost window of the program's own class
// "MyVornakelClass" that shows a fired task's message until its OK button is pressed.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Unit4/PopupCascade.h"
#include "win32/Handles.h"

class ReminderPopups {
 public:
  static constexpr wchar_t kClassName[] = L"MyVornakelClass";

  // Creates the font and the brush and registers the class.
  void RegisterPopupClass();
  // Unregisters the class and releases the font and brush; open popups are not closed.
  void UnregisterPopupClass();

  // Opens one popup titled " " + caption, showing `text` (both cp1251).
  HWND ShowReminder(const std::string& caption, const std::string& text);

  int PopupOffset() const { return cascade_.Offset(); }

 private:
  static LRESULT CALLBACK PopupWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCreate(HWND popup);

  PopupCascade cascade_;
  std::wstring PopupText;  // consumed while the window is being created
  UniqueFont PopupFont;
  UniqueBrush PopupBrush;
  bool registered_ = false;
};
