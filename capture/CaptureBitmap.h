#pragma once
// The capture bitmap: a square whose pixel format follows the screen's colour
// depth as it was at start-up, kept when the zoom changes its side.
#include <windows.h>

// A bitmap of `side` x `side` pixels: 8, 16, 24 or 32 bits per pixel give a
// device-independent bitmap of that depth (8 bits with the screen's palette);
// any other depth gives a bitmap in the screen device's own format.
HBITMAP CreateCaptureBitmap(HDC desktop, int bitsPerPixel, int side);
// The same, with the depth read from the desktop context (BITSPIXEL).
HBITMAP CreateCaptureBitmap(HDC desktop, int side);
// A new bitmap of `side` x `side` in the format of `old`; `old` is deleted
// once the new one exists (and kept, and returned, when it cannot be made).
HBITMAP ResizeCaptureBitmap(HBITMAP old, HDC desktop, int side);
// Side and bits per pixel of a bitmap; 0 for none.
int BitmapWidth(HBITMAP bitmap);
int BitmapHeight(HBITMAP bitmap);
int BitmapBitsPerPixel(HBITMAP bitmap);
