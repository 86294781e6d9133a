// The reminder popup: a small yellow topmost window of the program's own class
// "MyVornakelClass" that shows a fired task's message until its OK button is pressed.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "ui/popup/PopupCascade.h"
#include "win32/Handles.h"

class ReminderPopups {
 public:
  // The popups' window class. Users' automation scripts find the reminders by it.
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
  // The popup was moved to a screen of another density.
  void OnDpiChanged(HWND popup, int dpi, const RECT& suggested);
  // Places the message field and the OK button for `dpi` and gives them the font for it.
  void PlaceChildren(HWND popup, int dpi);
  // font_ at the density it was made for; a font of the same face for any other.
  HFONT FontFor(int dpi);

  PopupCascade cascade_;
  std::wstring pendingText_;  // consumed while the window is being created
  UniqueFont font_;
  int popupFontDpi_ = 96;
  std::map<int, UniqueFont> otherFonts_;  // for popups on screens of other densities
  int creatingDpi_ = 96;                  // of the popup being created
  UniqueBrush brush_;
  bool registered_ = false;
};
