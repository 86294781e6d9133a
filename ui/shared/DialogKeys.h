// The keyboard of the program's windows, one model for all. They are not dialog boxes: the
// system's dialog keys would also turn Enter and Escape into commands 1 and 2, which the main
// window takes for its own. Tab and Shift+Tab move the focus to the next (previous) visible,
// enabled tab stop in creation order (which each window keeps in reading order), round and round,
// selecting an edit field's text and showing the focus. Enter does what the window says for the
// control it was pressed on, or else presses a focused push button, or else goes to the control
// (a new line in the editor's message field). Escape is the application's message hook's alone,
// except while a drop-down list is open: then it only closes the list.
#pragma once

#include <windows.h>

#include <functional>

// What Enter pressed on `target` does: true when the window took the key.
using EnterAction = std::function<bool(HWND target)>;

// A key pressed in `window` or one of its controls: true when it was taken (not to be dispatched).
bool TakeDialogKey(HWND window, const MSG& message, const EnterAction& enter = {});

// The key goes to a combo box whose list is dropped down (the focus is on the combo box, its
// edit field or its list): the combo box takes it, as Escape and Enter close the list.
bool GoesToDroppedList(const MSG& message);
