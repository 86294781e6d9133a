// The modal run of a dialog: its owner disabled, this thread's messages dispatched by the
// dialog's own loop until the dialog ends it.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/shared/DialogKeys.h"

class ModalLoop {
 public:
  struct Handlers {
    // Runs once the dialog is shown, before the first message (the focus, say).
    std::function<void()> shown;
    // Sees every message first, as the main loop's hook does; may end the loop.
    std::function<void(const MSG&)> hook;
    // Enter in the dialog (its other keys follow the program's one model, DialogKeys).
    EnterAction enter;
    // The program is quitting while the dialog is open: the dialog's cancel.
    std::function<void()> cancel;
  };

  // Disables the owner, shows `dialog` and dispatches messages until End. A WM_QUIT met meanwhile
  // cancels the dialog and is posted again for the main loop.
  void Run(HWND dialog, const Handlers& handlers);
  // Enables the owner and hides the dialog at once, in that order, so that the owner (not
  // another program) becomes the active window, and a command that ended this dialog may open
  // another over the owner before this loop has returned. The loop returns at its next message.
  void End();
  // The dialog is open: its loop runs and has not been ended.
  bool Running() const { return running_ && !ending_; }

 private:
  HWND dialog_ = nullptr, owner_ = nullptr;
  bool running_ = false, ending_ = false, ownerDisabled_ = false;
};
