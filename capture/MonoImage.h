#pragma once
// Black-and-white pictures and the BMP files made from them, and the 24-bit
// BMP files of the magnified image. Portable: the ruler bitmaps are generated
// at build time by a host tool, and the file layout is tested natively.
#include <cstdint>
#include <string>
#include <vector>

// One byte per pixel, top row first: 0 black, 1 white.
struct MonoImage {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;

  MonoImage() = default;
  MonoImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 1) {}
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  bool Black(int x, int y) const { return Inside(x, y) && pixels[static_cast<size_t>(y) * width + x] == 0; }
  void SetBlack(int x, int y) {
    if (Inside(x, y)) pixels[static_cast<size_t>(y) * width + x] = 0;
  }
};

// A 1-bit BMP file: palette black (index 0) and white (index 1), rows bottom
// up and padded to four bytes, as the platform's bitmap loader expects.
std::string EncodeMonoBmp(const MonoImage& image);

// A 24-bit BMP file from pixels 0x00RRGGBB (as a 32-bit DIB holds them), top
// row first.
std::string EncodeRgbBmp(int width, int height, const std::vector<uint32_t>& pixels);

// What the first 54 bytes of a BMP file say; valid is false when they are not
// a BMP file with a 40-byte information header.
struct BmpHeader {
  bool valid = false;
  uint32_t fileSize = 0, dataOffset = 0;
  int32_t width = 0, height = 0;
  int bitsPerPixel = 0;
  uint32_t colorsUsed = 0;
};
BmpHeader ReadBmpHeader(const std::string& file);
