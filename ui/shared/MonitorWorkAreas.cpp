#include "ui/shared/MonitorWorkAreas.h"

#include <windows.h>

#include "ui/shared/DpiScale.h"

namespace {

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM collected) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<WorkAreaRect>*>(collected)->push_back(
        {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
  return TRUE;
}

}  // namespace

std::vector<WorkAreaRect> MonitorWorkAreas(int dpi) {
  std::vector<WorkAreaRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
  for (WorkAreaRect& area : areas) area = UnscaleWorkArea(area, dpi);
  return areas;
}
