// The five cell texts of every list row, kept beside the task table and guarded by its lock.
// The list control shows this model; changes made on any thread are queued in order so the
// user-interface thread can bring the control up to date.
#pragma once

#include <array>
#include <string>
#include <vector>

enum Column : int { ColumnNumber = 0, ColumnMessage, ColumnMoment, ColumnAction, ColumnStatus };
constexpr int ColumnCount = 5;

struct RowChange {
  enum Kind { Appended, CellChanged, Deleted, FocusCleared } kind;
  int row;
  int column;  // CellChanged only
};

class RowModel {
 public:
  using Row = std::array<std::string, ColumnCount>;

  // append set, column 0: adds a row at the end with the text as its number cell.
  // append set, column 1..4: the text becomes that cell of the row (cells come in column order).
  // append clear, column 1..4: replaces the cell's text.
  void SetCell(int row, int column, bool append, const std::string& text);

  // Removes a row and renumbers the rest "1", "2", ...
  void DeleteRow(int row);

  // The list's keyboard focus mark is to be taken off (the selection stays).
  void ClearFocus() { changes_.push_back({RowChange::FocusCleared, -1, 0}); }

  int Count() const { return static_cast<int>(rows_.size()); }
  const Row& At(int row) const { return rows_[static_cast<size_t>(row)]; }
  const std::string& Cell(int row, int column) const {
    return At(row)[static_cast<size_t>(column)];
  }

  void Reserve(size_t rows) { rows_.reserve(rows); }
  void Clear();

  // Changes since the last call, in the order they were made.
  std::vector<RowChange> TakeChanges();
  bool HasChanges() const { return !changes_.empty(); }

 private:
  std::vector<Row> rows_;
  std::vector<RowChange> changes_;
};
