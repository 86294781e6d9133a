// The count before a task shuts the computer down: how many whole seconds are left, and what the
// warning says meanwhile. No <windows.h>: tested natively.
#pragma once

#include <cstdint>
#include <string>

// How long the warning counts down before the computer goes off, in seconds.
inline constexpr int kShutdownWarningSeconds = 60;

// The seconds left of a count of `totalSeconds` once `elapsedMs` have passed since it began:
// `totalSeconds` during the first second, 1 during the last, 0 once it has ended (the computer
// goes off then). Read from the clock, so a late timer never stretches the count.
int ShutdownSecondsLeft(int totalSeconds, uint64_t elapsedMs);

// "Компьютер будет выключен через 60 с" for 60 seconds left (cp1251).
std::string ShutdownWarningText(int secondsLeft);
