// The screen density a window is shown at. The newer calls (per-monitor densities) are looked
// up at run time, so the program still starts on systems that lack them; there every window
// has the one system density.
#pragma once

#include <windows.h>

// The system's density (that of the primary screen when the program started).
int SystemDpi();
// The density `window` is shown at.
int WindowDpi(HWND window);
// The density of `monitor`.
int MonitorDpi(HMONITOR monitor);

// The outer size of a window of `style`/`exStyle` whose client area is `clientWidth` ×
// `clientHeight`, with the frame and caption measured at `dpi`.
SIZE FrameForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

// On WM_DPICHANGED: moves `window` to the outer rectangle the system suggests for the new
// density (the system has already chosen where it goes).
void MoveToSuggestedRect(HWND window, const RECT& suggested);

// WM_DPICHANGED, sent when a window moves to a screen of another density (or the user changes
// the density); its wParam carries the new one, its lParam the suggested outer rectangle.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
