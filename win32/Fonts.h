// Fonts given by their pixel height at the usual 96 dots per inch, scaled to a window's density.
#pragma once

#include "win32/Handles.h"

// `pixelHeight` is the character height (without internal leading), as a negative LOGFONT
// height gives it, at 96 dots per inch; the font is made for `dpi`.
UniqueFont CreatePixelFont(const wchar_t* face, int pixelHeight, bool bold, int dpi);
