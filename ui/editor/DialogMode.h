// Which of the program's dialogs is open, for the Escape key: 0 none, 1 the task editor opened
// by the add command, 2 the settings dialog. Used on the user-interface thread only.
#pragma once

#include <cstdint>

inline uint8_t DialogMode = 0;
