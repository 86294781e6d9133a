#include "win32/ErrorBox.h"

#include "win32/Text.h"

namespace {

int ErrorBox(HWND owner, const std::string& text, UINT buttons) {
  return MessageBoxW(owner, ToWide(text + ".").c_str(), kProgramTitle, buttons | MB_ICONSTOP);
}

}  // namespace

void ShowErrorBox(HWND owner, const std::string& text) { ErrorBox(owner, text, MB_OK); }

bool AskRetryAfterError(HWND owner, const std::string& text) {
  return ErrorBox(owner, text, MB_RETRYCANCEL) == IDRETRY;
}
