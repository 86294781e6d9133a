// Where windows go on the screens attached now (see ui/shared/WindowPlacement.h for the rules).
#pragma once

#include <windows.h>

#include <vector>

#include "ui/shared/WindowPlacement.h"

// The work areas of all monitors now attached, in pixels at 96 dots per inch for a window
// shown at `dpi`.
std::vector<WorkAreaRect> MonitorWorkAreas(int dpi = 96);

// Places a dialog over the centre of its owner, inside the work area of the owner's screen.
void CentreOverOwner(HWND window);
