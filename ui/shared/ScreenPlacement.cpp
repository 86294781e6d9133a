#include "ui/shared/ScreenPlacement.h"

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

void CentreOverOwner(HWND window) {
  HWND owner = GetWindow(window, GW_OWNER);
  if (!owner) return;
  RECT main{};
  RECT own{};
  GetWindowRect(owner, &main);
  GetWindowRect(window, &own);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& work = monitor.rcWork;
  const WindowBounds placed = CentredOverOwner(
      {main.left, main.top, main.right - main.left, main.bottom - main.top}, own.right - own.left,
      own.bottom - own.top, {work.left, work.top, work.right, work.bottom});
  SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
