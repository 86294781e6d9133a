#include "ui/shared/ModalLoop.h"

void ModalLoop::Run(HWND dialog, const Handlers& handlers) {
  if (running_ || !dialog) return;
  running_ = true;
  ending_ = false;
  dialog_ = dialog;
  owner_ = GetWindow(dialog, GW_OWNER);
  ownerDisabled_ = owner_ && IsWindowEnabled(owner_);
  if (ownerDisabled_) EnableWindow(owner_, FALSE);
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  if (handlers.shown) handlers.shown();

  MSG message{};
  while (!ending_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: leave as after Cancel and let the main loop see the quit.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      if (handlers.cancel) handlers.cancel();
      break;
    }
    if (handlers.hook) handlers.hook(message);
    if (ending_) break;
    if (TakeDialogKey(dialog, message, handlers.enter)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  End();
  running_ = false;
}

void ModalLoop::End() {
  ending_ = true;
  if (ownerDisabled_ && owner_) EnableWindow(owner_, TRUE);
  ownerDisabled_ = false;
  if (dialog_) ShowWindow(dialog_, SW_HIDE);
}
