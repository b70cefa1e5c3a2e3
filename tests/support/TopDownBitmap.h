// The header of a 32-bit DIB whose first row is the top one, so that pixel (x, y) is element
// y * width + x: how the tests draw known images and read pixels back.
#pragma once

#include <windows.h>

inline BITMAPINFOHEADER TopDown32BitHeader(int width, int height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = -height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  return header;
}
