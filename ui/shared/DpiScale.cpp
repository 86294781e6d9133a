#include "ui/shared/DpiScale.h"

namespace {

// value × numerator / denominator, rounded half away from zero, without overflow on the way.
int MulDivRounded(int value, int numerator, int denominator) {
  const int64_t product = static_cast<int64_t>(value) * numerator;
  const int64_t half = denominator / 2;
  const int64_t rounded =
      product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
  return static_cast<int>(rounded);
}

}  // namespace

int UsableDpi(int dpi) { return dpi > 0 ? dpi : kBaseDpi; }

int ScaleToDpi(int value, int dpi) { return MulDivRounded(value, UsableDpi(dpi), kBaseDpi); }

int UnscaleFromDpi(int value, int dpi) { return MulDivRounded(value, kBaseDpi, UsableDpi(dpi)); }

WindowBounds ScaleBounds(const WindowBounds& bounds, int dpi) {
  return {ScaleToDpi(bounds.left, dpi), ScaleToDpi(bounds.top, dpi), ScaleToDpi(bounds.width, dpi),
          ScaleToDpi(bounds.height, dpi)};
}

WindowBounds UnscaleBounds(const WindowBounds& bounds, int dpi) {
  return {UnscaleFromDpi(bounds.left, dpi), UnscaleFromDpi(bounds.top, dpi),
          UnscaleFromDpi(bounds.width, dpi), UnscaleFromDpi(bounds.height, dpi)};
}

WorkAreaRect UnscaleWorkArea(const WorkAreaRect& area, int dpi) {
  return {UnscaleFromDpi(area.left, dpi), UnscaleFromDpi(area.top, dpi),
          UnscaleFromDpi(area.right, dpi), UnscaleFromDpi(area.bottom, dpi)};
}
