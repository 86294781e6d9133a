// The keyboard of the program's windows, one model for all of them. They are not dialog boxes:
// the system's dialog key handling would also turn Enter and Escape into commands 1 and 2, which
// the main window takes for its own.
// - Tab and Shift+Tab move the focus to the next (previous) visible, enabled tab stop in creation
//   order, round and round; an edit field's text is selected.
// - Enter does what the window says for the control it was pressed on; a key the window leaves
//   goes to the control (in the editor's message field it starts a new line).
// - Escape is the program's, wherever the focus is: its message hook decides (Application).
#pragma once

#include <windows.h>

#include <functional>

// What Enter pressed on `target` does: true when the window took the key.
using EnterAction = std::function<bool(HWND target)>;

// A key pressed in `window` or one of its controls: true when it was taken, and is then not
// dispatched.
bool TakeDialogKey(HWND window, const MSG& message, const EnterAction& enter = {});
