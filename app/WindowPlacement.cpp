#include "app/WindowPlacement.h"

#include <windows.h>

#include <algorithm>

namespace {

bool Intersects(const WindowBounds& bounds, const WorkAreaRect& area) {
  const long right = static_cast<long>(bounds.left) + bounds.width;
  const long bottom = static_cast<long>(bounds.top) + bounds.height;
  return std::max<long>(bounds.left, area.left) < std::min<long>(right, area.right) &&
         std::max<long>(bounds.top, area.top) < std::min<long>(bottom, area.bottom);
}

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM collected) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<WorkAreaRect>*>(collected)->push_back(
        {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
  return TRUE;
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

std::vector<WorkAreaRect> MonitorWorkAreas() {
  std::vector<WorkAreaRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}
