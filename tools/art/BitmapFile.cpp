#include "BitmapFile.h"

#include <cassert>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace art {

namespace {

// Appends a little-endian integer of `bytes` bytes.
void put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Appends a BITMAPINFOHEADER.
void putInfoHeader(std::vector<uint8_t>& out, int width, int height, int bitsPerPixel,
                   uint32_t imageSize, int pixelsPerMetre) {
  put(out, 40, 4);
  put(out, static_cast<uint32_t>(width), 4);
  put(out, static_cast<uint32_t>(height), 4);
  put(out, 1, 2);                                    // planes
  put(out, static_cast<uint32_t>(bitsPerPixel), 2);  // bits per pixel
  put(out, 0, 4);                                    // BI_RGB
  put(out, imageSize, 4);
  put(out, static_cast<uint32_t>(pixelsPerMetre), 4);
  put(out, static_cast<uint32_t>(pixelsPerMetre), 4);
  put(out, 0, 4);  // colours used: the full table
  put(out, 0, 4);  // important colours: all
}

// Appends a palette padded with black to 2^bitsPerPixel entries (B, G, R, 0).
void putPalette(std::vector<uint8_t>& out, const Palette& palette, int bitsPerPixel) {
  size_t entries = size_t(1) << bitsPerPixel;
  assert(palette.size() <= entries);
  for (size_t i = 0; i < entries; ++i) {
    Pixel p = i < palette.size() ? palette[i] : Pixel{0, 0, 0, 255};
    out.insert(out.end(), {p.b, p.g, p.r, 0});
  }
}

// Appends the rows of an indexed picture bottom-up, packed and padded.
void putIndexedRows(std::vector<uint8_t>& out, const std::vector<uint8_t>& indexes, int width,
                    int height, int bitsPerPixel) {
  int rowBytes = bitmapRowBytes(width, bitsPerPixel);
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes), 0);
    for (int x = 0; x < width; ++x) {
      uint8_t index = indexes[static_cast<size_t>(y) * width + x];
      if (bitsPerPixel == 8)
        row[x] = index;
      else
        row[x / 2] |= (x % 2 == 0) ? uint8_t(index << 4) : index;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

// Appends the rows of a direct-colour picture bottom-up (24 or 32 bits).
void putDirectRows(std::vector<uint8_t>& out, const Image& img, int bitsPerPixel) {
  int rowBytes = bitmapRowBytes(img.width(), bitsPerPixel);
  for (int y = img.height() - 1; y >= 0; --y) {
    size_t start = out.size();
    for (int x = 0; x < img.width(); ++x) {
      const Pixel& p = img.at(x, y);
      out.insert(out.end(), {p.b, p.g, p.r});
      if (bitsPerPixel == 32) out.push_back(p.a);
    }
    out.resize(start + rowBytes, 0);
  }
}

// Appends the 1-bit AND mask of an icon image: set where alpha < 128.
void putMask(std::vector<uint8_t>& out, const Image& img) {
  int rowBytes = bitmapRowBytes(img.width(), 1);
  for (int y = img.height() - 1; y >= 0; --y) {
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes), 0);
    for (int x = 0; x < img.width(); ++x)
      if (img.at(x, y).a < 128) row[x / 8] |= uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
}

// The picture with every transparent pixel set to black, as icons store it.
Image blackenTransparent(const Image& img) {
  Image out = img;
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      if (out.at(x, y).a < 128) out.at(x, y) = Pixel{0, 0, 0, 255};
  return out;
}

// The image part of one icon entry: header with doubled height, palette, colour rows, mask.
std::vector<uint8_t> encodeIconImage(const IconImage& icon) {
  const Image& img = icon.image;
  int bpp = icon.bitsPerPixel;
  assert(bpp == 4 || bpp == 8 || bpp == 32);
  uint32_t imageSize = static_cast<uint32_t>(
      (bitmapRowBytes(img.width(), bpp) + bitmapRowBytes(img.width(), 1)) * img.height());
  std::vector<uint8_t> out;
  putInfoHeader(out, img.width(), img.height() * 2, bpp, imageSize, 0);
  if (bpp == 32) {
    putDirectRows(out, img, 32);
  } else {
    Image opaque = blackenTransparent(img);
    Palette palette = bpp == 4 ? standardPalette16() : quantise(opaque, 256, {0x000000});
    putPalette(out, palette, bpp);
    putIndexedRows(out, mapToPalette(opaque, palette, {}), img.width(), img.height(), bpp);
  }
  putMask(out, img);
  return out;
}

}  // namespace

// Size in bytes of one stored row, padded to 32 bits.
int bitmapRowBytes(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

// A complete uncompressed bottom-up bitmap file.
std::vector<uint8_t> encodeBitmap(const Image& img, int bitsPerPixel, int trailingBytes) {
  assert(bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 24);
  assert(trailingBytes >= 0);
  int paletteBytes = bitsPerPixel == 24 ? 0 : 4 << bitsPerPixel;
  uint32_t imageSize = static_cast<uint32_t>(
      bitmapRowBytes(img.width(), bitsPerPixel) * img.height() + trailingBytes);
  uint32_t offset = 14 + 40 + static_cast<uint32_t>(paletteBytes);

  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  put(out, offset + imageSize, 4);
  put(out, 0, 4);  // reserved
  put(out, offset, 4);
  putInfoHeader(out, img.width(), img.height(), bitsPerPixel, imageSize, kPixelsPerMetre);
  if (bitsPerPixel == 24) {
    putDirectRows(out, img, 24);
  } else {
    Palette palette = quantise(img, size_t(1) << bitsPerPixel, {kMagenta});
    putPalette(out, palette, bitsPerPixel);
    putIndexedRows(out, mapToPalette(img, palette, {kMagenta}), img.width(), img.height(),
                   bitsPerPixel);
  }
  out.resize(out.size() + static_cast<size_t>(trailingBytes), 0);
  assert(out.size() == offset + imageSize);
  return out;
}

// A complete .ico file: directory, then each image in order.
std::vector<uint8_t> encodeIcon(const std::vector<IconImage>& images) {
  std::vector<std::vector<uint8_t>> parts;
  for (const IconImage& icon : images) parts.push_back(encodeIconImage(icon));

  std::vector<uint8_t> out;
  put(out, 0, 2);  // reserved
  put(out, 1, 2);  // type: icon
  put(out, static_cast<uint32_t>(images.size()), 2);
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const IconImage& icon = images[i];
    assert(icon.image.width() > 0 && icon.image.width() < 256 && icon.image.height() < 256);
    out.push_back(static_cast<uint8_t>(icon.image.width()));
    out.push_back(static_cast<uint8_t>(icon.image.height()));
    out.push_back(icon.bitsPerPixel == 4 ? 16 : 0);  // colours in the palette (0 means 256 or more)
    out.push_back(0);
    put(out, 1, 2);  // planes
    put(out, static_cast<uint32_t>(icon.bitsPerPixel), 2);
    put(out, static_cast<uint32_t>(parts[i].size()), 4);
    put(out, offset, 4);
    offset += static_cast<uint32_t>(parts[i].size());
  }
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// Writes bytes to a file.
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) throw std::runtime_error("cannot create " + path);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace art

namespace art {

namespace {

// Little-endian integer of `bytes` bytes at an offset known to be in range.
uint32_t get(const std::vector<uint8_t>& data, size_t offset, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= uint32_t(data[offset + i]) << (8 * i);
  return value;
}

}  // namespace

// Decodes an uncompressed bitmap file with bounds checks on every read.
bool decodeBitmap(const std::vector<uint8_t>& bytes, Image& out) {
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  uint32_t dataOffset = get(bytes, 10, 4);
  uint32_t headerSize = get(bytes, 14, 4);
  int32_t width = static_cast<int32_t>(get(bytes, 18, 4));
  int32_t rawHeight = static_cast<int32_t>(get(bytes, 22, 4));
  int bpp = static_cast<int>(get(bytes, 28, 2));
  uint32_t compression = get(bytes, 30, 4);
  if (headerSize < 40 || compression != 0 || width <= 0 || rawHeight == 0 || width > 16384 ||
      rawHeight > 16384 || rawHeight < -16384)
    return false;
  if (bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
  bool bottomUp = rawHeight > 0;
  int height = bottomUp ? rawHeight : -rawHeight;
  size_t paletteOffset = 14 + size_t(headerSize);
  size_t paletteEntries = bpp <= 8 ? size_t(1) << bpp : 0;
  size_t rowBytes = static_cast<size_t>(bitmapRowBytes(width, bpp));
  if (paletteOffset + 4 * paletteEntries > bytes.size() || dataOffset > bytes.size() ||
      rowBytes * height > bytes.size() - dataOffset)
    return false;

  Image img(width, height);
  for (int row = 0; row < height; ++row) {
    int y = bottomUp ? height - 1 - row : row;
    size_t base = dataOffset + rowBytes * row;
    for (int x = 0; x < width; ++x) {
      Pixel p;
      if (bpp == 24 || bpp == 32) {
        size_t at = base + size_t(x) * (bpp / 8);
        p = Pixel{bytes[at + 2], bytes[at + 1], bytes[at], 255};
      } else {
        size_t index =
            bpp == 8 ? bytes[base + x] : (bytes[base + x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F;
        size_t at = paletteOffset + 4 * index;
        p = Pixel{bytes[at + 2], bytes[at + 1], bytes[at], 255};
      }
      img.at(x, y) = p;
    }
  }
  out = std::move(img);
  return true;
}

// Reads a whole file.
std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file),
                              std::istreambuf_iterator<char>());
}

}  // namespace art
