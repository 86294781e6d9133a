// Where reminder popups open: up and to the left from the work area's bottom-right corner,
// 10 pixels further for each popup opened, back to the corner after ten.
#pragma once

#include "core/Platform.h"

struct PopupPlace {
  int x;
  int y;
};

class PopupCascade {
 public:
  static constexpr int kSize = 300;  // outer width and height of a popup
  static constexpr int kStep = 10;
  static constexpr int kWrap = 100;

  // The place of the next popup, and the offset moved on for the one after it. Size and offset
  // are pixels at 96 dots per inch; the place is for a popup shown at `dpi`.
  PopupPlace Open(const WorkAreaRect& workArea, int dpi = 96);
  // A popup was closed with its OK button: the next one comes 10 pixels nearer the corner,
  // but never beyond it, so popups always open inside the work area.
  void Closed();

  int Offset() const { return PopupOffset; }

 private:
  int PopupOffset = 0;
};
