// The reminder popup: a small yellow topmost window of the program's own class
// "MyVornakelClass" that shows a fired task's message until its OK button is pressed, or until
// "Отложить" puts it off for the duration chosen beside OK.
#pragma once

#include <windows.h>

#include <functional>
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

  // Opens one popup titled " " + caption, showing `text` (both cp1251). `sound`: the melody
  // went with it (and comes back with a snooze); `snoozeMinutes`: the duration the list shows.
  HWND ShowReminder(const std::string& caption, const std::string& text, bool sound = false,
                    int32_t snoozeMinutes = 10);

  // What "Отложить" asks for: the reminder's caption without its leading blank (the moment
  // text), its message and sound, and the minutes chosen. Called once the popup has closed.
  using SnoozeRequest = std::function<void(const std::string& moment, const std::string& text,
                                           bool sound, int32_t minutes)>;
  void SetOnSnooze(SnoozeRequest onSnooze) { onSnooze_ = std::move(onSnooze); }

  int PopupOffset() const { return cascade_.Offset(); }

 private:
  static LRESULT CALLBACK PopupWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCreate(HWND popup);
  // OK or "Отложить": the popup closes, and the cascade's next place moves back.
  void Close(HWND popup, bool snooze);
  // The popup was moved to a screen of another density.
  void OnDpiChanged(HWND popup, int dpi, const RECT& suggested);
  // Places the message field and the OK button for `dpi` and gives them the font for it.
  void PlaceChildren(HWND popup, int dpi);
  // font_ at the density it was made for; a font of the same face for any other.
  HFONT FontFor(int dpi);

  // What each open popup shows, for a snooze.
  struct Shown {
    std::string moment, text;
    bool sound = false;
  };

  PopupCascade cascade_;
  std::wstring pendingText_;  // consumed while the window is being created
  int32_t pendingSnoozeMinutes_ = 10;
  std::map<HWND, Shown> shown_;
  SnoozeRequest onSnooze_;
  UniqueFont font_;
  int popupFontDpi_ = 96;
  std::map<int, UniqueFont> otherFonts_;  // for popups on screens of other densities
  int creatingDpi_ = 96;                  // of the popup being created
  UniqueBrush brush_;
  bool registered_ = false;
};
