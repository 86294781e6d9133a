// The main window's command rules that need no window: the pause/activate step of a task's
// status, how the list's menu is prepared, the wheel's scrolling, the window's layout and
// finding a row by typing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/RowModel.h"

// Pause or activate: the status a task takes from `status`, with `doneThisPeriod` its
// done-for-the-period mark. Empty for a status the command leaves as it is.
std::optional<int32_t> PausedOrActivatedStatus(int32_t status, uint16_t doneThisPeriod);

// What the list menu shows as it opens. `pauseCaption` empty: the pause item keeps its caption.
struct ListMenuState {
  bool addEnabled = true, editEnabled = false, deleteEnabled = false, pauseEnabled = false;
  std::optional<std::string> pauseCaption;
};
// `selectedStatus` empty when no row is selected.
ListMenuState PrepareListMenu(std::optional<int32_t> selectedStatus);

// Pixels the list scrolls for a wheel delta: one notch (120) moves the view 10 pixels toward
// the top when the wheel turns away from the user; at `dpi` those 10 pixels are scaled.
int WheelScrollPixels(int wheelDelta, int dpi = 96);
// The pointer strictly inside the list's rectangle (the border line itself is outside).
bool InsideList(int x, int y, int listLeft, int listTop, int listWidth, int listHeight);

// The band below the list that holds the buttons, and the buttons' top measured up from the
// bottom of the client area, in pixels at 96 dots per inch.
inline constexpr int kButtonBandHeight = 31;
inline constexpr int kButtonTopAboveBottom = 27;

// The list and the buttons placed in the client area; the band grows with `dpi`.
struct MainLayout {
  int listWidth = 0, listHeight = 0, buttonTop = 0;
};
MainLayout LayOutMainWindow(int clientWidth, int clientHeight, int dpi = 96);

// Typing in the list, as in Explorer: the first row from `start` on (then from the top, when
// `wrap`) whose message begins with `typed`, letters compared without regard to case (code page
// 1251 text); -1 when no row does, and the selection then stays where it is.
int FindRowByMessageStart(const RowModel& rows, std::string_view typed, int start, bool wrap);
