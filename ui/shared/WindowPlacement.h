// Where windows open: the main window when its stored rectangle lies on no screen any more (a
// monitor that was removed), and a dialog over its owner.
#pragma once

#include <vector>

#include "core/Platform.h"

struct WindowBounds {
  int left, top, width, height;
};

// The stored bounds when they share at least one pixel with one of the work areas; otherwise
// the same size centred on `primary` the way the defaults are computed.
WindowBounds KeepOnAWorkArea(const WindowBounds& stored, const std::vector<WorkAreaRect>& workAreas,
                             const WorkAreaRect& primary);

// A dialog of `width` x `height` over the centre of `owner` (each half an integer division
// truncated toward zero), moved only as far as it takes to lie inside `workArea`, the work
// area of the owner's screen: an owner dragged half off the screen, or a dialog scaled for a
// dense screen, must not leave the dialog's buttons out of reach. A dialog larger than the
// work area keeps its top-left corner on it.
WindowBounds CentredOverOwner(const WindowBounds& owner, int width, int height,
                              const WorkAreaRect& workArea);
