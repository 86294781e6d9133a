// The program's title and its error box.
#pragma once

#include <windows.h>

#include <string>

// The main window's title and the error box's caption. A second start of the program finds the
// first by this title (with the main window's class), so it never changes.
inline constexpr wchar_t kProgramTitle[] = L" Vornakel";

// Stop icon, the program's title as caption, the text (cp1251) with a full stop added.
void ShowErrorBox(HWND owner, const std::string& text);
// The same box with "Повторить" and "Отмена" (the system's retry and cancel buttons, labelled so
// in any language): true for the retry.
bool AskRetryAfterError(HWND owner, const std::string& text);
