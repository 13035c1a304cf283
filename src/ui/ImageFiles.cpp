#include "ui/ImageFiles.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace {

// Compression codes of the info header.
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitFields = 3;

// Little-endian reads; the caller has checked the bounds.
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

// Little-endian appends.
void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// The header fields that decoding needs, whatever the header's version.
struct BmpHeader {
  int Width = 0;
  int Height = 0;  // always positive
  bool TopDown = false;
  int BitCount = 0;
  uint32_t Compression = kBiRgb;
  uint32_t SizeImage = 0;
  int32_t XPels = 0, YPels = 0;
  uint32_t Masks[3] = {0, 0, 0};  // red, green, blue
  size_t PaletteOffset = 0;
  size_t PaletteEntrySize = 4;
  size_t PaletteCount = 0;
  size_t PixelOffset = 0;
  size_t RleBytes = 0;  // the run-length data's size (RLE only)
};

// A colour channel described by a bit mask: where it sits and how wide it is.
struct Channel {
  uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;
  // The channel's value of a pixel scaled to 0..255.
  uint8_t Extract(uint32_t pixel) const {
    if (Bits == 0) return 0;
    const uint32_t v = (pixel & Mask) >> Shift;
    if (Bits >= 8) return static_cast<uint8_t>(v >> (Bits - 8));
    return static_cast<uint8_t>(v * 255 / ((1u << Bits) - 1));
  }
};

// The position and width of a mask's lowest run of set bits.
Channel MakeChannel(uint32_t mask) {
  Channel c;
  c.Mask = mask;
  if (mask == 0) return c;
  while (!(mask & 1)) {
    mask >>= 1;
    ++c.Shift;
  }
  while (mask & 1) {
    mask >>= 1;
    ++c.Bits;
  }
  return c;
}

// Reads and checks the file and info headers; false for anything unusable.
bool ReadHeader(const uint8_t* data, size_t size, BmpHeader& h) {
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return false;
  h.PixelOffset = U32(data + 10);
  const uint32_t headerSize = U32(data + 14);
  if (headerSize != 12 && headerSize < 40) return false;
  if (headerSize > size - 14) return false;
  const uint8_t* ih = data + 14;
  int64_t height = 0;
  if (headerSize == 12) {  // OS/2 core header
    h.Width = U16(ih + 4);
    height = U16(ih + 6);
    h.BitCount = U16(ih + 10);
    h.PaletteEntrySize = 3;
  } else {
    h.Width = I32(ih + 4);
    height = I32(ih + 8);
    h.BitCount = U16(ih + 14);
    h.Compression = U32(ih + 16);
    h.SizeImage = U32(ih + 20);
    h.XPels = I32(ih + 24);
    h.YPels = I32(ih + 28);
    h.PaletteCount = U32(ih + 32);
    if (headerSize >= 52) {
      for (int i = 0; i < 3; ++i) h.Masks[i] = U32(ih + 40 + 4 * i);
    }
  }
  h.TopDown = height < 0;
  if (height < 0) height = -height;
  if (!BitmapSizeAllowed(h.Width, height)) return false;
  h.Height = static_cast<int>(height);

  size_t tableOffset = 14 + headerSize;
  if (h.Compression == kBiBitFields && headerSize == 40) {
    // The three masks follow a plain info header.
    if (size < tableOffset + 12) return false;
    for (int i = 0; i < 3; ++i) h.Masks[i] = U32(data + tableOffset + 4 * i);
    tableOffset += 12;
  }

  switch (h.Compression) {
    case kBiRgb:
      if (h.BitCount != 1 && h.BitCount != 4 && h.BitCount != 8 && h.BitCount != 16 &&
          h.BitCount != 24 && h.BitCount != 32)
        return false;
      if (h.BitCount == 16) {
        h.Masks[0] = 0x7C00;
        h.Masks[1] = 0x03E0;
        h.Masks[2] = 0x001F;
      }
      break;
    case kBiRle8:
      if (h.BitCount != 8 || h.TopDown) return false;
      break;
    case kBiRle4:
      if (h.BitCount != 4 || h.TopDown) return false;
      break;
    case kBiBitFields:
      if (h.BitCount != 16 && h.BitCount != 32) return false;
      break;
    default: return false;
  }

  if (h.BitCount <= 8) {
    const size_t full = size_t(1) << h.BitCount;
    if (h.PaletteCount == 0 || h.PaletteCount > full) h.PaletteCount = full;
    h.PaletteOffset = tableOffset;
    if (h.PaletteOffset + h.PaletteCount * h.PaletteEntrySize > size) return false;
  } else {
    h.PaletteCount = 0;
  }
  if (h.PixelOffset > size) return false;
  if (h.Compression == kBiRle8 || h.Compression == kBiRle4) {
    // The pixels must be plausible for the run-length bytes there are.
    size_t available = size - h.PixelOffset;
    if (h.SizeImage != 0) available = std::min<size_t>(available, h.SizeImage);
    h.RleBytes = available;
    const uint64_t runs = std::min<uint64_t>(available / 2, kMaxBitmapPixels);
    if (runs * kMaxRlePixelsPerTwoBytes < uint64_t(h.Width) * uint64_t(h.Height)) return false;
  } else if (DibStride(h.Width, h.BitCount) * static_cast<size_t>(h.Height) >
             size - h.PixelOffset) {
    return false;  // truncated pixel data
  }
  return true;
}

// Writes one palette index into a 4 or 8-bit top-down image, ignoring pixels outside it.
void PutIndex(TDibImage& img, int64_t x, int yFromBottom, int index) {
  if (x < 0 || x >= img.Width || yFromBottom < 0 || yFromBottom >= img.Height) return;
  uint8_t* row = img.Row(img.Height - 1 - yFromBottom);
  if (img.BitCount == 8) {
    row[x] = static_cast<uint8_t>(index);
  } else {
    uint8_t& b = row[x / 2];
    b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (index & 0x0F))
                : static_cast<uint8_t>((b & 0x0F) | ((index & 0x0F) << 4));
  }
}

// Decodes run-length encoded pixels (RLE8 or RLE4) into img and sets used to
// the bytes read. Runs that go past the image are clipped; pixels that no run
// reaches stay 0. False when the data ends before the picture does: inside a
// run or delta, or short of the top row's end without an end-of-picture code.
bool DecodeRle(const uint8_t* p, size_t n, TDibImage& img, size_t& used) {
  const bool four = img.BitCount == 4;
  size_t i = 0;
  // Runs and deltas past the right edge keep moving x: 64 bits never overflow.
  int64_t x = 0;
  int y = 0;
  while (i + 2 <= n) {
    const uint8_t count = p[i], value = p[i + 1];
    i += 2;
    if (count > 0) {  // encoded run
      for (int k = 0; k < count; ++k, ++x)
        PutIndex(img, x, y, four ? ((k & 1) ? (value & 0x0F) : (value >> 4)) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      used = i;
      return true;
    } else if (value == 2) {  // delta
      if (i + 2 > n) return false;
      x += p[i];
      y += p[i + 1];
      i += 2;
    } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
      const size_t bytes = four ? (value + 1u) / 2 : value;
      if (i + bytes > n) return false;
      for (int k = 0; k < value; ++k, ++x) {
        const uint8_t b = p[i + (four ? k / 2 : k)];
        PutIndex(img, x, y, four ? ((k & 1) ? (b & 0x0F) : (b >> 4)) : b);
      }
      i += (bytes + 1) & ~size_t(1);
    }
    if (y >= img.Height) {
      used = std::min(i, n);
      return true;
    }
  }
  used = std::min(i, n);
  return y == img.Height - 1 && x >= img.Width;  // the top row filled, no end code
}

}  // namespace

// The first byte of row y (0 = top).
uint8_t* TDibImage::Row(int y) {
  assert(y >= 0 && y < Height);
  return Pixels.data() + DibStride(Width, BitCount) * static_cast<size_t>(y);
}

// The first byte of row y (0 = top).
const uint8_t* TDibImage::Row(int y) const {
  assert(y >= 0 && y < Height);
  return Pixels.data() + DibStride(Width, BitCount) * static_cast<size_t>(y);
}

// True when a width x height picture lies within the limits.
bool BitmapSizeAllowed(int64_t width, int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
         width * height <= kMaxBitmapPixels;
}

// Bytes per row of a DIB, padded to 4 bytes.
size_t DibStride(int width, int bitCount) {
  assert(width >= 0 && bitCount > 0);
  return ((static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32) * 4;
}

// The headers as DecodeBmp checks them.
std::optional<std::pair<int, int>> BmpPictureSize(const uint8_t* data, size_t size) {
  BmpHeader h;
  if (!data || !ReadHeader(data, size, h)) return std::nullopt;
  return std::make_pair(h.Width, h.Height);
}

// Decodes a .bmp file into top-down rows.
std::optional<TDibImage> DecodeBmp(const uint8_t* data, size_t size, size_t* fileSize) {
  BmpHeader h;
  if (!data || !ReadHeader(data, size, h)) return std::nullopt;

  TDibImage img;
  img.Width = h.Width;
  img.Height = h.Height;
  img.XPelsPerMeter = h.XPels;
  img.YPelsPerMeter = h.YPels;

  if (h.BitCount <= 8) {
    img.BitCount = h.BitCount;
    img.Palette.assign(size_t(1) << h.BitCount, 0);  // indices past the table show black
    for (size_t i = 0; i < h.PaletteCount; ++i) {
      const uint8_t* e = data + h.PaletteOffset + i * h.PaletteEntrySize;
      img.Palette[i] = (uint32_t(e[2]) << 16) | (uint32_t(e[1]) << 8) | e[0];
    }
  }

  const bool plain32 =
      h.BitCount == 32 && (h.Compression == kBiRgb ||
                           (h.Masks[0] == 0xFF0000 && h.Masks[1] == 0xFF00 && h.Masks[2] == 0xFF));
  if (h.BitCount == 24 || plain32)
    img.BitCount = h.BitCount;
  else if (h.BitCount > 8)
    img.BitCount = 24;  // converted through the masks below
  const size_t outStride = DibStride(img.Width, img.BitCount);
  img.Pixels.assign(outStride * static_cast<size_t>(img.Height), 0);

  if (h.Compression == kBiRle8 || h.Compression == kBiRle4) {
    size_t used = 0;
    if (!DecodeRle(data + h.PixelOffset, h.RleBytes, img, used)) return std::nullopt;
    if (fileSize) *fileSize = h.PixelOffset + used;
    return img;
  }

  const size_t inStride = DibStride(h.Width, h.BitCount);
  if (fileSize) *fileSize = h.PixelOffset + inStride * static_cast<size_t>(h.Height);

  const Channel ch[3] = {MakeChannel(h.Masks[0]), MakeChannel(h.Masks[1]), MakeChannel(h.Masks[2])};
  for (int y = 0; y < h.Height; ++y) {
    const int fileRow = h.TopDown ? y : h.Height - 1 - y;
    const uint8_t* src = data + h.PixelOffset + inStride * static_cast<size_t>(fileRow);
    uint8_t* dst = img.Row(y);
    if (img.BitCount == h.BitCount) {
      std::memcpy(dst, src, std::min(inStride, outStride));
      continue;
    }
    for (int x = 0; x < h.Width; ++x) {  // 16 bits or unusual 32-bit masks to 24 bits
      const uint32_t px = h.BitCount == 16 ? U16(src + 2 * x) : U32(src + 4 * x);
      dst[3 * x + 0] = ch[2].Extract(px);
      dst[3 * x + 1] = ch[1].Extract(px);
      dst[3 * x + 2] = ch[0].Extract(px);
    }
  }
  return img;
}

// Writes the image as a bottom-up .bmp file with a 40-byte info header.
std::vector<uint8_t> EncodeBmp(const TDibImage& image) {
  assert(image.Width >= 0 && image.Height >= 0);
  const size_t stride = DibStride(image.Width, image.BitCount);
  const size_t paletteCount = image.BitCount <= 8 ? image.Palette.size() : 0;
  const uint32_t offBits = static_cast<uint32_t>(14 + 40 + 4 * paletteCount);
  const uint32_t imageSize = static_cast<uint32_t>(stride * static_cast<size_t>(image.Height));

  std::vector<uint8_t> out;
  out.reserve(offBits + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offBits + imageSize);
  Put32(out, 0);
  Put32(out, offBits);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(image.Width));
  Put32(out, static_cast<uint32_t>(image.Height));
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(image.BitCount));
  Put32(out, kBiRgb);
  Put32(out, imageSize);
  Put32(out, static_cast<uint32_t>(image.XPelsPerMeter));
  Put32(out, static_cast<uint32_t>(image.YPelsPerMeter));
  const bool fullTable = image.BitCount <= 8 && paletteCount == (size_t(1) << image.BitCount);
  Put32(out, fullTable ? 0 : static_cast<uint32_t>(paletteCount));
  Put32(out, 0);
  for (size_t i = 0; i < paletteCount; ++i) Put32(out, image.Palette[i] & 0xFFFFFF);
  for (int y = image.Height - 1; y >= 0; --y) {
    const uint8_t* row = image.Pixels.data() + stride * static_cast<size_t>(y);
    if (image.Pixels.size() >= stride * static_cast<size_t>(y + 1))
      out.insert(out.end(), row, row + stride);
    else
      out.insert(out.end(), stride, 0);
  }
  return out;
}

// Reads and checks the directory of an .ico file.
std::optional<std::vector<TIconEntry>> ParseIconFile(const uint8_t* data, size_t size) {
  if (!data || size < 6 || U16(data) != 0 || U16(data + 2) != 1) return std::nullopt;
  const size_t count = U16(data + 4);
  if (count == 0 || 6 + 16 * count > size) return std::nullopt;
  std::vector<TIconEntry> entries;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = data + 6 + 16 * i;
    TIconEntry entry;
    entry.Width = e[0] ? e[0] : 256;
    entry.Height = e[1] ? e[1] : 256;
    entry.ColorCount = e[2];
    entry.BitCount = U16(e + 6);
    entry.Size = U32(e + 8);
    entry.Offset = U32(e + 12);
    if (entry.Size == 0 || entry.Offset > size || entry.Size > size - entry.Offset)
      return std::nullopt;
    entries.push_back(entry);
  }
  return entries;
}

// The resource-layout directory: 6-byte header, then 14 bytes per image with IDs 1..n.
std::vector<uint8_t> IconResourceDirectory(const std::vector<TIconEntry>& entries) {
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(entries.size()));
  uint32_t id = 1;
  for (const TIconEntry& e : entries) {
    out.push_back(static_cast<uint8_t>(e.Width & 0xFF));
    out.push_back(static_cast<uint8_t>(e.Height & 0xFF));
    out.push_back(static_cast<uint8_t>(e.ColorCount));
    out.push_back(0);
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(e.BitCount));
    Put32(out, e.Size);
    Put16(out, id++);
  }
  return out;
}
