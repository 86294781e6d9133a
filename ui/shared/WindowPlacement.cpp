#include "ui/shared/WindowPlacement.h"

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

WindowBounds CentredOverOwner(const WindowBounds& owner, int width, int height,
                              const WorkAreaRect& workArea) {
  const auto inside = [](int start, int size, int areaStart, int areaEnd) {
    return std::max(areaStart, std::min(start, areaEnd - size));
  };
  const int left = owner.left + owner.width / 2 - width / 2;
  const int top = owner.top + owner.height / 2 - height / 2;
  return {inside(left, width, workArea.left, workArea.right),
          inside(top, height, workArea.top, workArea.bottom), width, height};
}
