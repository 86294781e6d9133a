#include "win32/ErrorBox.h"

#include "win32/Handles.h"
#include "win32/SystemTexts.h"
#include "win32/Text.h"

namespace {

// The system labels a box's buttons in its own language; the retry box's are the program's. Set
// when the box is activated, before it shows.
LRESULT CALLBACK RelabelRetryBox(int code, WPARAM wParam, LPARAM lParam) {
  const HWND box = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && GetDlgItem(box, IDRETRY)) {
    SetDlgItemTextW(box, IDRETRY, ToWide(kRetryButton).c_str());
    SetDlgItemTextW(box, IDCANCEL, ToWide(kCancelRetryButton).c_str());
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int ErrorBox(HWND owner, const std::string& text, UINT buttons) {
  return MessageBoxW(owner, ToWide(text + ".").c_str(), kProgramTitle, buttons | MB_ICONSTOP);
}

}  // namespace

void ShowErrorBox(HWND owner, const std::string& text) { ErrorBox(owner, text, MB_OK); }

bool AskRetryAfterError(HWND owner, const std::string& text) {
  const UniqueHook relabel(
      SetWindowsHookExW(WH_CBT, RelabelRetryBox, nullptr, GetCurrentThreadId()));
  return ErrorBox(owner, text, MB_RETRYCANCEL) == IDRETRY;
}
