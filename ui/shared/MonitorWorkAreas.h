// The work areas of the monitors, for placing the main window (see ui/Unit1/WindowPlacement.h).
#pragma once

#include <vector>

#include "ui/shared/WindowPlacement.h"

// The work areas of all monitors now attached, in pixels at 96 dots per inch for a window
// shown at `dpi`.
std::vector<WorkAreaRect> MonitorWorkAreas(int dpi = 96);
