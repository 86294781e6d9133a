#include "ui/main/MainCommandsLogic.h"

#include "core/Task.h"
#include "core/TextEncodings.h"
#include "ui/shared/DpiScale.h"
#include "ui/shared/WindowTexts.h"

std::optional<int32_t> PausedOrActivatedStatus(int32_t status, uint16_t doneThisPeriod) {
  switch (status) {
    case StatusDone:
      return StatusActive;
    case StatusActive:
      return StatusPaused;
    case StatusPaused:
      // A task paused after it ran today goes back to done for today, not to firing again.
      return doneThisPeriod != 0 ? StatusDoneToday : StatusActive;
    case StatusDoneToday:
      return StatusPaused;
    default:
      return std::nullopt;
  }
}

ListMenuState PrepareListMenu(std::optional<int32_t> selectedStatus) {
  ListMenuState state;
  if (!selectedStatus) {
    state.pauseCaption = kPauseTaskItem;
    return state;
  }
  state.editEnabled = state.deleteEnabled = state.pauseEnabled = true;
  if (*selectedStatus == StatusDone || *selectedStatus == StatusPaused)
    state.pauseCaption = kActivateTaskItem;
  else if (*selectedStatus == StatusActive || *selectedStatus == StatusDoneToday)
    state.pauseCaption = kPauseTaskItem;
  return state;
}

int WheelScrollPixels(int wheelDelta, int dpi) {
  // Truncated toward zero: 120 and 119 give 10, 11 gives 0; then shown at the window's density.
  return ScaleToDpi(-static_cast<int>(wheelDelta * 0.09), dpi);
}

bool InsideList(int x, int y, int listLeft, int listTop, int listWidth, int listHeight) {
  return listLeft < x && x < listLeft + listWidth && listTop < y && y < listTop + listHeight;
}

MainLayout LayOutMainWindow(int clientWidth, int clientHeight, int dpi) {
  const int band = ScaleToDpi(kButtonBandHeight, dpi);
  MainLayout layout;
  layout.listWidth = clientWidth < 0 ? 0 : clientWidth;
  layout.listHeight = clientHeight - band < 0 ? 0 : clientHeight - band;
  layout.buttonTop = clientHeight - ScaleToDpi(kButtonTopAboveBottom, dpi);
  return layout;
}

int FindRowByMessageStart(const RowModel& rows, std::string_view typed, int start, bool wrap) {
  const int count = rows.Count();
  if (typed.empty() || count == 0) return -1;
  start = start < 0 || start >= count ? 0 : start;
  for (int i = 0; i < count; ++i) {
    const int row = start + i;
    if (row >= count && !wrap) break;
    if (StartsWithIgnoringCaseCp1251(rows.Cell(row % count, ColumnMessage), typed))
      return row % count;
  }
  return -1;
}
