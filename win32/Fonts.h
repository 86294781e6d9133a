// Fonts given by their pixel height at the usual 96 dots per inch, scaled to a window's density.
#pragma once

#include "win32/Handles.h"

// What a font's pixel height measures: the characters without their internal leading (a negative
// LOGFONT height), or the whole character cell (a positive one).
enum class FontHeight { Character, Cell };

// A font of `face` `pixelHeight` high at 96 dots per inch, made for `dpi`. The pitch and family
// guide the system's choice only when it has no font of that face.
UniqueFont CreatePixelFont(const wchar_t* face, int pixelHeight, bool bold, int dpi,
                           FontHeight measured = FontHeight::Character,
                           BYTE pitchAndFamily = DEFAULT_PITCH | FF_SWISS);
