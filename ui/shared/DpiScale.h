// Pixel values the windows are designed with are values at 96 dots per inch; a window on a
// screen with another density shows them scaled, and Data.ini keeps them at 96 so that a file
// moved to another screen opens the window at the same physical size.
#pragma once

#include <array>
#include <cstdint>

#include "core/Platform.h"
#include "ui/shared/WindowPlacement.h"

inline constexpr int kBaseDpi = 96;

// A density the system reported, or 96 when it reported none.
int UsableDpi(int dpi);

// `value` at 96 dots per inch shown at `dpi`: value × dpi / 96 rounded to the nearest whole
// number, halves away from zero, as the system's MulDiv rounds.
int ScaleToDpi(int value, int dpi);
// The reverse: a value at `dpi` as it would be at 96. At the usual densities (96 and above)
// ScaleToDpi then UnscaleFromDpi gives back the value it started from.
int UnscaleFromDpi(int value, int dpi);

WindowBounds ScaleBounds(const WindowBounds& bounds, int dpi);
WindowBounds UnscaleBounds(const WindowBounds& bounds, int dpi);
WorkAreaRect UnscaleWorkArea(const WorkAreaRect& area, int dpi);

template <size_t N>
std::array<int32_t, N> ScaleWidths(const std::array<int32_t, N>& widths, int dpi) {
  std::array<int32_t, N> scaled{};
  for (size_t i = 0; i < N; ++i) scaled[i] = ScaleToDpi(widths[i], dpi);
  return scaled;
}

template <size_t N>
std::array<int32_t, N> UnscaleWidths(const std::array<int32_t, N>& widths, int dpi) {
  std::array<int32_t, N> unscaled{};
  for (size_t i = 0; i < N; ++i) unscaled[i] = UnscaleFromDpi(widths[i], dpi);
  return unscaled;
}
