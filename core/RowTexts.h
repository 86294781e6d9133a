// The texts of the main list's five cells for one task, and a task going live with its row.
#pragma once

#include <string>
#include <string_view>

#include "core/Store.h"
#include "core/Task.h"

// "07" for 7, "12" for 12.
std::string TwoDigits(int32_t n);
// " января" ... " декабря" for 1..12, otherwise "".
std::string MonthGenitive(int32_t month);

std::string MessageCellText(const Task& task);
// A message up to its first line break: what a tip or a list with one line a reminder shows.
std::string_view FirstLine(std::string_view message);
std::string MomentText(const Task& task);

// The message of the popup that warns of the task's moment `minutes` ahead: "Через 15 мин: " and
// its message.
std::string WarningMessage(const Task& task, int64_t minutes);
std::string ActionText(const Task& task);

// The list is to show task `index`: with `append` its row is added (the task must just have
// become the last one); without, cells 1..4 are drawn again from the changed task.
void BuildRow(Store& store, int index, bool append);

// A task goes live (loaded, added, edited or handed over by the command line): its row is
// appended or rewritten (or kept, when an edit was cancelled), then the checker may take it.
enum class RowUpdate { Append, Rewrite, Keep };
void MakeLive(Store& store, int index, RowUpdate row);
