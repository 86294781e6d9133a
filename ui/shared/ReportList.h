// A list view in report form as the program's lists show it: grid lines, whole rows selected, one
// row at most, no sorting header, and columns captioned in cp1251.
#pragma once

#include <windows.h>

#include <span>

// Creates the list as a child of `parent` with `style` added to the common one, and its columns:
// `captions` with `widths` in pixels. Null when it could not be made.
HWND CreateReportList(HWND parent, DWORD style, int controlId,
                      std::span<const char* const> captions, std::span<const int> widths);
