// The reminder popup: a small yellow topmost window of the program's own class
// "MyVornakelClass" that shows a fired task's message until its OK button is pressed, or until
// "Отложить" puts it off for the duration chosen beside OK.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/Task.h"
#include "ui/popup/PopupCascade.h"
#include "ui/shared/WindowBase.h"
#include "win32/Handles.h"

class ReminderPopups {
 public:
  // The popups' window class. Users' automation scripts find the reminders by it.
  static constexpr wchar_t kClassName[] = L"MyVornakelClass";

  // Creates the font and the brush; the class is registered with the first popup.
  void RegisterPopupClass();
  // Unregisters the class and releases the font and brush; open popups are not closed.
  void UnregisterPopupClass();

  // Opens one popup titled " " + caption, showing `text` (both cp1251). `sound`: its sound action
  // was on, with `soundChoice` (both come back with a snooze); `snoozeMinutes`: the duration the
  // list shows; `reminder`: the number its answer is told by (OnAnswered; at once when the
  // popup cannot open).
  HWND ShowReminder(const std::string& caption, const std::string& text, bool sound = false,
                    int32_t snoozeMinutes = 10, const SoundChoice& soundChoice = {},
                    uint64_t reminder = 0);

  // What "Отложить" asks for: the reminder's caption without its leading blank (the moment
  // text), its message and sound, and the minutes chosen. Called once the popup has closed.
  using SnoozeRequest =
      std::function<void(const std::string& moment, const std::string& text, bool sound,
                         const SoundChoice& soundChoice, int32_t minutes)>;
  void SetOnSnooze(SnoozeRequest onSnooze) { onSnooze_ = std::move(onSnooze); }
  // Told the popup's reminder number when it is answered (OK, "Отложить", or closed), first.
  void SetOnAnswered(std::function<void(uint64_t reminder)> onAnswered) {
    onAnswered_ = std::move(onAnswered);
  }

  int PopupOffset() const { return cascade_.Offset(); }

 private:
  // What a popup shows, and what a snooze brings back.
  struct Reminder {
    std::string moment, text;
    bool sound = false;
    int32_t snoozeMinutes = 10;
    SoundChoice soundChoice;
    uint64_t number = 0;
  };
  // One reminder's window.
  class Popup : public WindowBase {
   public:
    Popup(ReminderPopups& owner, Reminder reminder) : owner_(owner), reminder_(reminder) {}
    bool Open(const std::string& caption, PopupPlace place, int dpi);

   private:
    friend class ReminderPopups;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCreate();
    // The read-only field that shows the message, made with `style`, as the first child.
    HWND CreateMessageField(DWORD style);
    // The buttons' clicks; the duration list's notifications are never 0.
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    // The read-only message field is drawn on yellow.
    LRESULT OnMessageColour(HDC dc);
    // The bare client margins drag the popup like its title bar.
    LRESULT OnHitTest(WPARAM wParam, LPARAM lParam);
    // The popup became the active window (it was clicked): OK takes the keyboard.
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    void OnDensityChanged(int previousDpi) override;
    // Places the message field and the OK button for the density and gives them its font.
    void PlaceChildren();

    ReminderPopups& owner_;
    const Reminder reminder_;
    HWND ok_ = nullptr;
  };

  // OK or "Отложить": the popup closes, and the cascade's next place moves back.
  void Close(Popup& popup, bool snooze);
  // font_ at the density it was made for; a font of the same face for any other.
  HFONT FontFor(int dpi);

  PopupCascade cascade_;
  std::map<HWND, std::unique_ptr<Popup>> open_;
  SnoozeRequest onSnooze_;
  std::function<void(uint64_t)> onAnswered_;
  UniqueFont font_;
  int popupFontDpi_ = 96;
  std::map<int, UniqueFont> otherFonts_;  // for popups on screens of other densities
  UniqueBrush brush_;
};
