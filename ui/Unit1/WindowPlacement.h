// Where the main window opens when its stored rectangle lies on no screen any more (a monitor
// that was removed): centred on the primary work area, as a first start places it.
#pragma once

#include <vector>

#include "core/Platform.h"

struct WindowBounds {
  int left;
  int top;
  int width;
  int height;
};

// The stored bounds when they share at least one pixel with one of the work areas; otherwise
// the same size centred on `primary` the way the defaults are computed.
WindowBounds KeepOnAWorkArea(const WindowBounds& stored, const std::vector<WorkAreaRect>& workAreas,
                             const WorkAreaRect& primary);
