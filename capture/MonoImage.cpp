#include "capture/MonoImage.h"

namespace {

constexpr uint32_t kFileHeaderSize = 14, kInfoHeaderSize = 40;

void Put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

uint32_t Get32(const std::string& in, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(in[at + i]);
  return v;
}

uint32_t RowBytes(int width, int bitsPerPixel) {
  return ((static_cast<uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

// File header and BITMAPINFOHEADER; the caller appends the palette and the rows.
std::string Headers(int width, int height, int bitsPerPixel, uint32_t paletteEntries) {
  const uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize + paletteEntries * 4;
  const uint32_t imageSize = RowBytes(width, bitsPerPixel) * static_cast<uint32_t>(height);
  std::string out;
  out.reserve(dataOffset + imageSize);
  out += "BM";
  Put32(out, dataOffset + imageSize);
  Put32(out, 0);  // reserved
  Put32(out, dataOffset);
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));  // positive: rows bottom up
  Put16(out, 1);                              // planes
  Put16(out, static_cast<uint32_t>(bitsPerPixel));
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 3780);  // 96 dpi in pixels per metre
  Put32(out, 3780);
  Put32(out, paletteEntries);
  Put32(out, 0);
  return out;
}

}  // namespace

std::string EncodeMonoBmp(const MonoImage& image) {
  std::string out = Headers(image.width, image.height, 1, 2);
  Put32(out, 0x00000000);  // index 0: black
  Put32(out, 0x00FFFFFF);  // index 1: white
  const uint32_t rowBytes = RowBytes(image.width, 1);
  for (int y = image.height - 1; y >= 0; --y) {
    std::string row(rowBytes, '\0');
    for (int x = 0; x < image.width; ++x) {
      if (!image.Black(x, y)) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    }
    out += row;
  }
  return out;
}

std::string EncodeRgbBmp(int width, int height, const std::vector<uint32_t>& pixels) {
  if (width < 0 || height < 0 || pixels.size() < static_cast<size_t>(width) * height) return {};
  std::string out = Headers(width, height, 24, 0);
  const uint32_t rowBytes = RowBytes(width, 24);
  for (int y = height - 1; y >= 0; --y) {
    std::string row(rowBytes, '\0');
    for (int x = 0; x < width; ++x) {
      uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      row[x * 3] = static_cast<char>(p & 0xFF);              // blue
      row[x * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);   // green
      row[x * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);  // red
    }
    out += row;
  }
  return out;
}

BmpHeader ReadBmpHeader(const std::string& file) {
  BmpHeader h;
  if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M') return h;
  if (Get32(file, 14) != kInfoHeaderSize) return h;
  h.fileSize = Get32(file, 2);
  h.dataOffset = Get32(file, 10);
  h.width = static_cast<int32_t>(Get32(file, 18));
  h.height = static_cast<int32_t>(Get32(file, 22));
  h.bitsPerPixel = static_cast<uint8_t>(file[28]) | (static_cast<uint8_t>(file[29]) << 8);
  h.colorsUsed = Get32(file, 46);
  h.valid = true;
  return h;
}
