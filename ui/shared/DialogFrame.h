// What the program's dialogs (the task editor and the settings) are made of: a fixed frame with
// the close box alone, sized for its client area at the density of its owner's screen, and
// controls made from a table of their places at 96 dots per inch.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "ui/shared/WindowBase.h"
#include "win32/Handles.h"

// A child window's place in its parent's client area, in pixels at 96 dots per inch.
struct ScaledPlace {
  int left, top, width, height;
};
// Moves `window` to `place` shown at `dpi`.
void MoveToPlace(HWND window, const ScaledPlace& place, int dpi);

// One control of a dialog. The table lists the controls in their creation order, which is the
// tab order.
struct ControlPlace {
  int control;  // the dialog's own index of the control; its identifier is firstId + control
  const wchar_t* className;
  const char* text;
  DWORD style;
  DWORD exStyle;
  ScaledPlace at;
};

// Creates the dialog's window, hidden and owned by `owner`, bound to `window`, for a client area of
// `clientWidth` x `clientHeight` at 96 dots per inch shown at the window's density (Dpi). It opens
// centred on the screen or at its top-left corner; every opening centres it over the owner anyway.
bool CreateDialogFrame(WindowBase& window, const wchar_t* className, const std::string& caption,
                       int clientWidth, int clientHeight, HWND owner, bool centredOnScreen);

// The density a dialog owned by `owner` is shown at: that of the owner's screen.
int DialogDpi(HWND owner);

// Creates the controls of `places` in the dialog, at their places for `dpi`; `handles` is
// indexed by ControlPlace::control. False when one could not be made.
bool CreateControls(HWND dialog, std::span<const ControlPlace> places, int firstId,
                    std::span<HWND> handles, int dpi);
// Moves the controls to their places for `dpi` and gives them a new bold font of `face`,
// `pixels` high at 96 dots per inch, scaled for `dpi`; it replaces `font` once the controls hold
// it.
void PlaceControls(std::span<const ControlPlace> places, std::span<const HWND> handles, int dpi,
                   const wchar_t* face, int pixels, UniqueFont& font);
