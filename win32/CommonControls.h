// The common controls' declarations, which need <windows.h> before them.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
