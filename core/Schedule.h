// The two tests a pass applies to a task: is its moment reached within its period, and has
// the period of a done-for-today task moved on.
#pragma once

#include "core/Task.h"

// Seconds since midnight of the pass time; milliseconds ignored.
int32_t SecondOfDay(const SystemTime& now);

// True from the task's moment until the end of its period (day, week day, month, year, ever).
bool IsDue(const Task& task, const SystemTime& now);

// True when the task's moment falls on the date of `now`: any day for a daily task, its
// weekday, its day of the month, its day and month, or its date.
bool FallsOnDay(const Task& task, const SystemTime& now);

// True when a done-for-today task's last run lies outside the current day (daily and weekly),
// month (monthly) or year (yearly). One-time tasks never come back. Inequality only, so a clock
// moved backwards re-activates as readily as one moved forwards.
bool ShouldReactivate(const Task& task, const SystemTime& now);
