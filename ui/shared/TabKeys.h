// Tab and Shift+Tab for the program's windows, which are not dialog boxes: the system's dialog
// key handling would also turn Enter and Escape into commands 1 and 2, which the main window
// takes for its own.
#pragma once

#include <windows.h>

// A Tab key pressed in `window` or one of its controls moves the focus to the next (with Shift
// the previous) visible, enabled control that is a tab stop, in creation order, round and
// round; an edit field's text is selected. True when the key was taken.
bool MoveFocusByTab(HWND window, const MSG& message);
