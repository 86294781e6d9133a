// The program's taskbar button: a top-level window of no size that carries the button and owns
// the main window. It keeps the button's commands apart from the main window's own: "Close
// window" on the taskbar ends the program, while the main window's close box only hides or
// minimises it. Minimising the program minimises this window, and the main window goes out of
// sight with it until the program is restored.
#pragma once

#include <windows.h>

#include "ui/shared/WindowBase.h"

class TaskbarButton : public WindowBase {
 public:
  static constexpr wchar_t kClassName[] = L"VornakelTaskbarButton";

  // Creates the window, hidden; `title` is the button's text.
  bool Create(const wchar_t* title);
  // The main window, owned by this one: it follows the program's minimised state.
  void SetMainWindow(HWND main) { main_ = main; }

  void Show();
  void Hide();
  // The program as a whole goes to the taskbar: the button stays, the main window and its dialogs
  // go out of sight. Nothing happens when it is minimised already.
  void MinimiseProgram();
  // The reverse: the main window and its dialogs come back.
  void RestoreProgram();
  bool ProgramMinimised() const { return hwnd_ && IsIconic(hwnd_); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // "Close window" on the taskbar: the program ends, as by the tray menu's "Выход".
  void OnClose();
  // The button was chosen (a click, Alt+Tab): the main window or its open dialog takes over.
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  void OnMinimised();
  void OnRestored();

  HWND main_ = nullptr;
  bool mainHidden_ = false;  // the main window went out of sight when the program was minimised
};
