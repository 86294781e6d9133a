#include "win32/Fonts.h"

UniqueFont CreatePixelFont(const wchar_t* face, int pixelHeight, bool bold, int dpi,
                           FontHeight measured, BYTE pitchAndFamily) {
  const int height = MulDiv(pixelHeight, dpi > 0 ? dpi : 96, 96);
  return UniqueFont(CreateFontW(measured == FontHeight::Cell ? height : -height, 0, 0, 0,
                                bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                pitchAndFamily, face));
}
