#include "ui/Unit1/WindowPlacement.h"

#include <algorithm>

namespace {

bool Intersects(const WindowBounds& bounds, const WorkAreaRect& area) {
  const long right = static_cast<long>(bounds.left) + bounds.width;
  const long bottom = static_cast<long>(bounds.top) + bounds.height;
  return std::max<long>(bounds.left, area.left) < std::min<long>(right, area.right) &&
         std::max<long>(bounds.top, area.top) < std::min<long>(bottom, area.bottom);
}

}  // namespace

WindowBounds KeepOnAWorkArea(const WindowBounds& stored, const std::vector<WorkAreaRect>& workAreas,
                             const WorkAreaRect& primary) {
  if (std::any_of(workAreas.begin(), workAreas.end(),
                  [&](const WorkAreaRect& area) { return Intersects(stored, area); }))
    return stored;
  // The same formula as for a missing WinX/WinY: integer division truncates toward zero.
  return {primary.right / 2 - stored.width / 2, primary.bottom / 2 - stored.height / 2,
          stored.width, stored.height};
}
