#include "capture/CaptureBitmap.h"

#include <vector>

namespace {

// An 8-bit DIB needs a colour table; the screen's own palette when it has
// one, otherwise a 3-3-2 colour cube.
void FillPalette(HDC desktop, RGBQUAD* colors) {
  PALETTEENTRY entries[256] = {};
  UINT got = desktop ? GetSystemPaletteEntries(desktop, 0, 256, entries) : 0;
  for (int i = 0; i < 256; ++i) {
    if (got == 256) {
      colors[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    } else {
      colors[i] = {static_cast<BYTE>((i & 3) * 255 / 3), static_cast<BYTE>(((i >> 2) & 7) * 255 / 7),
                   static_cast<BYTE>(((i >> 5) & 7) * 255 / 7), 0};
    }
  }
}

BITMAP BitmapInfoOf(HBITMAP bitmap) {
  BITMAP bm = {};
  if (bitmap) GetObjectA(bitmap, sizeof bm, &bm);
  return bm;
}

}  // namespace

HBITMAP CreateCaptureBitmap(HDC desktop, int bitsPerPixel, int side) {
  if (side < 1) side = 1;
  if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) {
    return CreateCompatibleBitmap(desktop, side, side);
  }
  std::vector<char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
  bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi->bmiHeader.biWidth = side;
  bi->bmiHeader.biHeight = side;
  bi->bmiHeader.biPlanes = 1;
  bi->bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
  bi->bmiHeader.biCompression = BI_RGB;
  if (bitsPerPixel == 8) {
    bi->bmiHeader.biClrUsed = 256;
    FillPalette(desktop, bi->bmiColors);
  }
  void* bits = nullptr;
  return CreateDIBSection(desktop, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

HBITMAP CreateCaptureBitmap(HDC desktop, int side) {
  return CreateCaptureBitmap(desktop, desktop ? GetDeviceCaps(desktop, BITSPIXEL) : 0, side);
}

HBITMAP ResizeCaptureBitmap(HBITMAP old, HDC desktop, int side) {
  // A DIB section reports itself with the larger DIBSECTION structure; a
  // device bitmap was made in the screen's own format and is made so again.
  int bits = 0;
  DIBSECTION ds = {};
  if (old && GetObjectA(old, sizeof ds, &ds) == sizeof ds) bits = ds.dsBm.bmBitsPixel;
  HBITMAP fresh = CreateCaptureBitmap(desktop, bits, side);
  if (!fresh) return old;
  if (old) DeleteObject(old);
  return fresh;
}

int BitmapWidth(HBITMAP bitmap) { return BitmapInfoOf(bitmap).bmWidth; }
int BitmapHeight(HBITMAP bitmap) { return BitmapInfoOf(bitmap).bmHeight; }
int BitmapBitsPerPixel(HBITMAP bitmap) { return BitmapInfoOf(bitmap).bmBitsPixel; }
