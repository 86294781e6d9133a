// Fonts given by their pixel height at the usual 96 dots per inch, scaled to the screen's.
#pragma once

#include "win32/Handles.h"

// `pixelHeight` is the character height (without internal leading), as a negative LOGFONT
// height gives it.
UniqueFont CreatePixelFont(const wchar_t* face, int pixelHeight, bool bold);

// The screen's dots per inch (96 at 100 %).
int ScreenDpi();
