#include "ui/Unit4/PopupCascade.h"

PopupPlace PopupCascade::Open(const WorkAreaRect& workArea) {
  const PopupPlace place{workArea.right - kSize - PopupOffset, workArea.bottom - kSize - PopupOffset};
  PopupOffset += kStep;
  if (PopupOffset == kWrap) PopupOffset = 0;
  return place;
}

void PopupCascade::Closed() {
  if (PopupOffset >= kStep) PopupOffset -= kStep;
}
