#include "ui/main/TaskListView.h"

#include <algorithm>
#include <iterator>

#include "ui/shared/ReportList.h"
#include "ui/shared/WindowTexts.h"
#include "win32/CommonControls.h"
#include "win32/Text.h"

namespace {

static_assert(std::size(kColumnCaptions) == ColumnCount);
// The columns' widths until the loaded settings apply theirs.
constexpr TaskListView::ColumnWidths kDefaultWidths = {33, 230, 210, 130, 107};

}  // namespace

bool TaskListView::Create(HWND parent, int controlId, HFONT font) {
  // Rows on demand from the model; no border.
  list_ = CreateReportList(parent, WS_CLIPSIBLINGS | LVS_OWNERDATA, controlId, kColumnCaptions,
                           kDefaultWidths);
  if (!list_) return false;
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return true;
}

void TaskListView::SetColumnWidths(const ColumnWidths& widths) {
  // Each width set lays the header and the rows out again, a good part of a start under Wine:
  // only the widths that change are set, with the drawing held until the last.
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  for (int column = 0; column < ColumnCount; ++column) {
    if (SendMessageW(list_, LVM_GETCOLUMNWIDTH, column, 0) != widths[column])
      SendMessageW(list_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(widths[column], 0));
  }
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

TaskListView::ColumnWidths TaskListView::GetColumnWidths() const {
  ColumnWidths widths{};
  for (int column = 0; column < ColumnCount; ++column)
    widths[column] = static_cast<int32_t>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, column, 0));
  return widths;
}

void TaskListView::GetDisplayInfo(NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  item.pszText[0] = L'\0';
  std::lock_guard lock(store_.mutex);
  // The model may already be ahead of the control (a row deleted on the checker thread whose
  // change has not been applied yet): a row it no longer has shows empty for that moment.
  if (item.iItem < 0 || item.iItem >= store_.rows.Count()) return;
  if (item.iSubItem < 0 || item.iSubItem >= ColumnCount) return;
  ToWideInto(store_.rows.Cell(item.iItem, item.iSubItem), item.pszText,
             static_cast<size_t>(item.cchTextMax));
}

void TaskListView::ClearFocus() {
  const int focused =
      static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  if (focused < 0) return;
  LVITEMW state{};
  state.stateMask = LVIS_FOCUSED;
  state.state = 0;
  SendMessageW(list_, LVM_SETITEMSTATE, focused, reinterpret_cast<LPARAM>(&state));
}

void TaskListView::RedrawVisibleRows(int first, int last) {
  const int top = static_cast<int>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
  // One row more than fit: a partly shown row at the bottom.
  const int bottom = top + static_cast<int>(SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0));
  first = std::max(first, top);
  last = std::min(last, bottom);
  if (first <= last) SendMessageW(list_, LVM_REDRAWITEMS, first, last);
}

void TaskListView::ApplyChanges(const std::vector<RowChange>& changes) {
  int count = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
  bool countChanged = false;
  // Rows appended one after another become one change of the item count.
  auto applyCount = [&] {
    if (!countChanged) return;
    SendMessageW(list_, LVM_SETITEMCOUNT, count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    countChanged = false;
  };
  for (const RowChange& change : changes) {
    switch (change.kind) {
      case RowChange::Appended:
        ++count;
        countChanged = true;
        break;
      case RowChange::CellChanged:
        applyCount();
        if (change.row >= 0 && change.row < count)
          SendMessageW(list_, LVM_REDRAWITEMS, change.row, change.row);
        break;
      case RowChange::Deleted:
        applyCount();
        if (change.row < 0 || change.row >= count) break;
        // Deleting the item (rather than lowering the count) moves the selection and focus of
        // the rows below up with them, so the selection stays on the same task.
        SendMessageW(list_, LVM_DELETEITEM, change.row, 0);
        --count;
        // The rows below have been renumbered; only those on screen need drawing again (asking
        // for all of them costs the control time in proportion to the table).
        if (change.row < count) RedrawVisibleRows(change.row, count - 1);
        break;
      case RowChange::FocusCleared:
        applyCount();
        ClearFocus();
        break;
    }
  }
  applyCount();
  UpdateWindow(list_);
}
