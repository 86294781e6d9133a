#include "ui/main/MainCommandsLogic.h"

#include "core/Task.h"
#include "ui/shared/DpiScale.h"

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
    state.pauseCaption = "Приостановить";
    return state;
  }
  state.editEnabled = state.deleteEnabled = state.pauseEnabled = true;
  if (*selectedStatus == StatusDone || *selectedStatus == StatusPaused)
    state.pauseCaption = "Активировать";
  else if (*selectedStatus == StatusActive || *selectedStatus == StatusDoneToday)
    state.pauseCaption = "Приостановить";
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
  const int band = ScaleToDpi(31, dpi);
  MainLayout layout;
  layout.listWidth = clientWidth < 0 ? 0 : clientWidth;
  layout.listHeight = clientHeight - band < 0 ? 0 : clientHeight - band;
  layout.buttonTop = clientHeight - ScaleToDpi(27, dpi);
  return layout;
}

namespace {

// Lower case in code page 1251: Latin and Cyrillic letters, "Ё", and the Ukrainian and
// Belarusian ones.
unsigned char LowerCp1251(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF))
    return static_cast<unsigned char>(c + 0x20);
  switch (c) {
    case 0xA8:
      return 0xB8;  // Ё
    case 0xAA:
      return 0xBA;  // Є
    case 0xAF:
      return 0xBF;  // Ї
    case 0xB2:
      return 0xB3;  // І
    case 0xA1:
      return 0xA2;  // Ў
    case 0xA5:
      return 0xB4;  // Ґ
    default:
      return c;
  }
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
  if (start.size() > text.size()) return false;
  for (size_t i = 0; i < start.size(); ++i)
    if (LowerCp1251(static_cast<unsigned char>(text[i])) !=
        LowerCp1251(static_cast<unsigned char>(start[i])))
      return false;
  return true;
}

}  // namespace

int FindRowByMessageStart(const RowModel& rows, std::string_view typed, int start, bool wrap) {
  const int count = rows.Count();
  if (typed.empty() || count == 0) return -1;
  start = start < 0 || start >= count ? 0 : start;
  for (int i = 0; i < count; ++i) {
    const int row = start + i;
    if (row >= count && !wrap) break;
    if (StartsWithIgnoringCase(rows.Cell(row % count, ColumnMessage), typed)) return row % count;
  }
  return -1;
}
