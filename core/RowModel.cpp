#include "core/RowModel.h"

#include <utility>

void RowModel::SetCell(int row, int column, bool append, const std::string& text) {
  if (column < 0 || column >= ColumnCount) return;
  if (append && column == ColumnNumber) {
    Row fresh;
    fresh[0] = text;
    rows_.push_back(std::move(fresh));
    changes_.push_back({RowChange::Appended, Count() - 1, 0});
    return;
  }
  if (row < 0 || row >= Count() || column == ColumnNumber) return;
  rows_[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
  if (!append) changes_.push_back({RowChange::CellChanged, row, column});
}

void RowModel::DeleteRow(int row) {
  if (row < 0 || row >= Count()) return;
  rows_.erase(rows_.begin() + row);
  for (int r = row; r < Count(); ++r) rows_[static_cast<size_t>(r)][0] = std::to_string(r + 1);
  changes_.push_back({RowChange::Deleted, row, 0});
}

void RowModel::Clear() {
  rows_.clear();
  changes_.clear();
}

std::vector<RowChange> RowModel::TakeChanges() { return std::exchange(changes_, {}); }
