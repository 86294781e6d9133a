#include "win32/ErrorBox.h"

#include "win32/Text.h"

void ShowErrorBox(HWND owner, const std::string& text) {
  MessageBoxW(owner, ToWide(text + ".").c_str(), kProgramTitle, MB_OK | MB_ICONSTOP);
}
