#include "BitmapFile.h"

#include <cassert>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>

#include "ui/ImageFiles.h"

namespace art {

namespace {

// Appends a little-endian integer of `bytes` bytes.
void put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Overwrites the little-endian 32-bit integer at offset.
void set32(std::vector<uint8_t>& out, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Little-endian integer of `bytes` bytes at an offset known to be in range.
uint32_t get(const std::vector<uint8_t>& data, size_t offset, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= uint32_t(data[offset + i]) << (8 * i);
  return value;
}

// The image as the project's codec holds it: the colours of the pixels
// directly (24 bits, or 32 with alpha as the fourth byte), or their indexes
// in `palette`, padded with black to the full table (4 and 8 bits).
TDibImage dibOf(const Image& img, int bitsPerPixel, const Palette& palette,
                const std::vector<uint8_t>& indexes, int pixelsPerMetre) {
  TDibImage dib;
  dib.Width = img.width();
  dib.Height = img.height();
  dib.BitCount = bitsPerPixel;
  dib.XPelsPerMeter = pixelsPerMetre;
  dib.YPelsPerMeter = pixelsPerMetre;
  dib.Pixels.assign(DibStride(img.width(), bitsPerPixel) * size_t(img.height()), 0);
  if (bitsPerPixel <= 8) {
    const size_t entries = size_t(1) << bitsPerPixel;
    assert(palette.size() <= entries);
    for (size_t i = 0; i < entries; ++i)
      dib.Palette.push_back(i < palette.size() ? palette[i].rgb() : 0);
  }
  for (int y = 0; y < img.height(); ++y) {
    uint8_t* row = dib.Row(y);
    for (int x = 0; x < img.width(); ++x) {
      if (bitsPerPixel == 8) {
        row[x] = indexes[size_t(y) * img.width() + x];
      } else if (bitsPerPixel == 4) {
        const uint8_t index = indexes[size_t(y) * img.width() + x];
        row[x / 2] |= (x % 2 == 0) ? uint8_t(index << 4) : index;
      } else {
        const Pixel& p = img.at(x, y);
        uint8_t* to = row + size_t(x) * (bitsPerPixel / 8);
        to[0] = p.b;
        to[1] = p.g;
        to[2] = p.r;
        if (bitsPerPixel == 32) to[3] = p.a;
      }
    }
  }
  return dib;
}

// The picture with every transparent pixel set to black, as icons store it.
Image blackenTransparent(const Image& img) {
  Image out = img;
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      if (out.at(x, y).a < 128) out.at(x, y) = Pixel{0, 0, 0, 255};
  return out;
}

// The 1-bit AND mask rows of an icon image, bottom-up: set where alpha < 128.
std::vector<uint8_t> maskRows(const Image& img) {
  std::vector<uint8_t> out;
  const int rowBytes = bitmapRowBytes(img.width(), 1);
  for (int y = img.height() - 1; y >= 0; --y) {
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes), 0);
    for (int x = 0; x < img.width(); ++x)
      if (img.at(x, y).a < 128) row[x / 8] |= uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// The image part of one icon entry: a bitmap file without its 14-byte file
// header, whose height counts the colour rows and the mask rows, followed
// by the mask.
std::vector<uint8_t> encodeIconImage(const IconImage& icon) {
  const Image& img = icon.image;
  const int bpp = icon.bitsPerPixel;
  assert(bpp == 4 || bpp == 8 || bpp == 32);
  TDibImage dib;
  if (bpp == 32) {
    dib = dibOf(img, 32, {}, {}, 0);
  } else {
    const Image opaque = blackenTransparent(img);
    const Palette palette = bpp == 4 ? standardPalette16() : quantise(opaque, 256, {0x000000});
    dib = dibOf(opaque, bpp, palette, mapToPalette(opaque, palette, {}), 0);
  }
  const std::vector<uint8_t> file = EncodeBmp(dib);
  std::vector<uint8_t> out(file.begin() + 14, file.end());
  const std::vector<uint8_t> mask = maskRows(img);
  set32(out, 8, uint32_t(img.height() * 2));                // biHeight: colour rows and mask rows
  set32(out, 20, get(out, 20, 4) + uint32_t(mask.size()));  // biSizeImage
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

}  // namespace

// Size in bytes of one stored row, padded to 32 bits.
int bitmapRowBytes(int width, int bitsPerPixel) { return int(DibStride(width, bitsPerPixel)); }

// The project's BMP encoder, with the trailing bytes counted in the file
// and image sizes.
std::vector<uint8_t> encodeBitmap(const Image& img, int bitsPerPixel, int trailingBytes) {
  assert(bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 24);
  assert(trailingBytes >= 0);
  TDibImage dib;
  if (bitsPerPixel == 24) {
    dib = dibOf(img, 24, {}, {}, kPixelsPerMetre);
  } else {
    const Palette palette = quantise(img, size_t(1) << bitsPerPixel, {kMagenta});
    dib =
        dibOf(img, bitsPerPixel, palette, mapToPalette(img, palette, {kMagenta}), kPixelsPerMetre);
  }
  std::vector<uint8_t> out = EncodeBmp(dib);
  if (trailingBytes > 0) {
    out.resize(out.size() + static_cast<size_t>(trailingBytes), 0);
    set32(out, 2, uint32_t(out.size()));                        // bfSize
    set32(out, 34, get(out, 34, 4) + uint32_t(trailingBytes));  // biSizeImage
  }
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

// The project's BMP decoder, for the uncompressed depths the artwork writes;
// every pixel opaque.
bool decodeBitmap(const std::vector<uint8_t>& bytes, Image& out) {
  if (bytes.size() < 54 || get(bytes, 30, 4) != 0) return false;  // BI_RGB only
  const int bpp = int(get(bytes, 28, 2));
  if (bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
  const std::optional<TDibImage> dib = DecodeBmp(bytes.data(), bytes.size());
  if (!dib || dib->Width <= 0 || dib->Height <= 0) return false;
  Image img(dib->Width, dib->Height);
  for (int y = 0; y < dib->Height; ++y) {
    const uint8_t* row = dib->Row(y);
    for (int x = 0; x < dib->Width; ++x) {
      uint32_t rgb = 0;
      if (dib->BitCount == 24 || dib->BitCount == 32) {
        const uint8_t* p = row + size_t(x) * (dib->BitCount / 8);
        rgb = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
      } else {
        const size_t index =
            dib->BitCount == 8 ? row[x] : (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F;
        rgb = index < dib->Palette.size() ? dib->Palette[index] : 0;
      }
      img.at(x, y) = Pixel{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), 255};
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
