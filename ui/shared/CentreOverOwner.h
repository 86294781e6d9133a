// Places a dialog over the centre of its owner, on the owner's screen.
#pragma once

#include <windows.h>

#include "ui/shared/WindowPlacement.h"

inline void CentreOverOwner(HWND window) {
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
