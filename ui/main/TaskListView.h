// The main window's task list: a report-view list control in owner-data mode that
// reads its cells from the store's row model, so that even thousands of tasks show at once.
//
// Rule: the control is touched only on the user-interface thread and never while that thread
// holds the store's lock, since the control asks for cell texts (under the lock) from inside
// many of its messages.
#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "core/RowModel.h"
#include "core/Store.h"
#include "win32/CommonControls.h"

class TaskListView {
 public:
  using ColumnWidths = std::array<int32_t, ColumnCount>;

  explicit TaskListView(Store& store) : store_(store) {}

  // Creates the control with its five columns as a child of `parent`, using `font`.
  bool Create(HWND parent, int controlId, HFONT font);
  HWND Handle() const { return list_; }

  void SetColumnWidths(const ColumnWidths& widths);
  ColumnWidths GetColumnWidths() const;

  // Fills in the text of one cell that the control asks for (LVN_GETDISPINFOW).
  void GetDisplayInfo(NMLVDISPINFOW& info);

  // Brings the control up to date with changes taken from the row model, in their order.
  void ApplyChanges(const std::vector<RowChange>& changes);

  // Takes the keyboard focus mark off the row that has it; the selection stays.
  void ClearFocus();

 private:
  // Redraws the rows first..last that are on screen.
  void RedrawVisibleRows(int first, int last);

  Store& store_;
  HWND list_ = nullptr;
};
