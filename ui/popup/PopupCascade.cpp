#include "ui/popup/PopupCascade.h"

#include "ui/shared/DpiScale.h"

PopupPlace PopupCascade::Open(const WorkAreaRect& workArea, int dpi) {
  // The offset counts pixels at 96 dots per inch, like the size.
  const int step = ScaleToDpi(kSize, dpi) + ScaleToDpi(PopupOffset, dpi);
  const PopupPlace place{workArea.right - step, workArea.bottom - step};
  PopupOffset += kStep;
  if (PopupOffset == kWrap) PopupOffset = 0;
  return place;
}

void PopupCascade::Closed() {
  if (PopupOffset >= kStep) PopupOffset -= kStep;
}
