// The main list's rows: one per task of the table, in its order, guarded by the table's lock.
// A row's five texts are made from its task when they are asked for (the list asks only for the
// rows on screen), so loading or adding tasks builds no texts. What the model keeps is the
// number of rows the list has been told of and the changes made on any thread, queued in order
// so the user-interface thread can bring the control up to date.
#pragma once

#include <array>
#include <string>
#include <vector>

struct Task;

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

  // The rows show `tasks`, which must outlive the model.
  explicit RowModel(const std::vector<Task>& tasks) : tasks_(tasks) {}

  // A row for the task that has just become the last one.
  void AppendRow();

  // The text of a cell (1..4) has changed with its task: the list draws the row again.
  void CellChanged(int row, int column);

  // Removes a row; the rows below it are numbered one less.
  void DeleteRow(int row);

  // The list's keyboard focus mark is to be taken off (the selection stays).
  void ClearFocus() { changes_.push_back({RowChange::FocusCleared, -1, 0}); }

  int Count() const { return count_; }

  // The cell's text as the list shows it: the row's number from 1, the task's message up to its
  // first line break, its moment, its actions, its status. Empty for a row without a task.
  std::string Cell(int row, int column) const;
  Row At(int row) const;

  void Clear();

  // Changes since the last call, in the order they were made.
  std::vector<RowChange> TakeChanges();
  bool HasChanges() const { return !changes_.empty(); }

 private:
  const std::vector<Task>& tasks_;
  int count_ = 0;
  std::vector<RowChange> changes_;
};
