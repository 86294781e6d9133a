#include "core/RowModel.h"

#include <utility>

#include "core/RowTexts.h"

void RowModel::AppendRow() {
  changes_.push_back({RowChange::Appended, count_, 0});
  ++count_;
}

void RowModel::CellChanged(int row, int column) {
  if (row < 0 || row >= count_ || column <= ColumnNumber || column >= ColumnCount) return;
  changes_.push_back({RowChange::CellChanged, row, column});
}

void RowModel::DeleteRow(int row) {
  if (row < 0 || row >= count_) return;
  --count_;
  changes_.push_back({RowChange::Deleted, row, 0});
}

std::string RowModel::Cell(int row, int column) const {
  if (row < 0 || row >= count_ || static_cast<size_t>(row) >= tasks_.size()) return {};
  const Task& task = tasks_[static_cast<size_t>(row)];
  switch (column) {
    case ColumnNumber:
      return std::to_string(row + 1);
    case ColumnMessage:
      return MessageCellText(task);
    case ColumnMoment:
      return MomentText(task);
    case ColumnAction:
      return ActionText(task);
    case ColumnStatus:
      return StatusText(task.status);
    default:
      return {};
  }
}

RowModel::Row RowModel::At(int row) const {
  Row texts;
  for (int column = 0; column < ColumnCount; ++column)
    texts[static_cast<size_t>(column)] = Cell(row, column);
  return texts;
}

void RowModel::Clear() {
  count_ = 0;
  changes_.clear();
}

std::vector<RowChange> RowModel::TakeChanges() { return std::exchange(changes_, {}); }
