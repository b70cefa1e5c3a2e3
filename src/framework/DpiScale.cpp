#include "framework/DpiScale.h"

#include "framework/Gdi.h"

CDpiScale CDpiScale::ForSystem() {
  const CClientDC screen(nullptr);
  const int dpi = screen.GetDeviceCaps(LOGPIXELSY);
  return CDpiScale(dpi > 0 ? dpi : kDesignDpi);
}
