// One row of the list of reminders missed while the program was not running or the computer
// slept, and the texts of its cells.
#pragma once

#include <cstdint>
#include <string>

#include "core/Snooze.h"

struct MissedReminder {
  LocalMoment last;     // the latest moment missed
  int32_t count = 0;    // the moments missed that were counted one by one
  bool more = false;    // and more, over a year back, not each counted
  std::string message;  // the message's first line
  std::string actions;  // what it would have done, as the main list says it
  friend bool operator==(const MissedReminder&, const MissedReminder&) = default;
};

// "14.03.2024 09:00:00".
std::string MissedMomentText(const LocalMoment& moment);
// The number of moments missed, "" for one; "365+" when there were more not counted.
std::string MissedCountText(const MissedReminder& missed);
