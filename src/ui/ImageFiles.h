// Windows bitmap (.bmp) and icon (.ico) files: decoding, encoding and
// validation, without any platform calls. Every damaged input gives a clear
// "no image" result; nothing is read outside the given bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// An uncompressed device-independent image held as top-down rows: row 0 is
// the top row, each row is DibStride(Width, BitCount) bytes. 1, 4 and 8 bit
// images index Palette; 24-bit rows hold blue, green, red; 32-bit rows hold
// blue, green, red and a fourth byte.
struct TDibImage {
  int Width = 0;
  int Height = 0;
  int BitCount = 24;
  // Colour table entries as 0x00RRGGBB (at most 256; only for 1, 4 and 8 bits).
  std::vector<uint32_t> Palette;
  std::vector<uint8_t> Pixels;
  int32_t XPelsPerMeter = 0;
  int32_t YPelsPerMeter = 0;

  // The bytes of row y (0 = top).
  uint8_t* Row(int y);
  const uint8_t* Row(int y) const;
};

// Bytes per row of a DIB: whole pixels rounded up to a multiple of 4 bytes.
size_t DibStride(int width, int bitCount);

// Limits on the pictures read from files and on the bitmaps made from them,
// whatever a file says. A picture within them takes at most 64 MiB of pixels.
// The largest width or height.
constexpr int kMaxBitmapSide = 32768;
// The most pixels in one picture: 16 Mi (4096 x 4096, 64 MiB at 32 bits).
constexpr int64_t kMaxBitmapPixels = int64_t(1) << 24;
// Run-length pictures: one run of two bytes gives at most 255 pixels, so a
// picture has at most this many pixels per two bytes of its run-length data.
// A picture that claims more (rows left blank by end-of-line, delta or
// end-of-picture codes) is refused: a few bytes must not claim megabytes.
constexpr int64_t kMaxRlePixelsPerTwoBytes = 255;

// True when both sides are at least 1 and the picture is within the limits above.
bool BitmapSizeAllowed(int64_t width, int64_t height);

// Decodes a .bmp file (1, 4, 8, 16, 24 or 32 bits per pixel; uncompressed,
// bit fields or RLE 4/8). 16-bit images and 32-bit images with unusual bit
// fields come out as 24 bits. Nothing when the data is damaged or truncated
// (run-length data that ends before its picture does) or the picture lies
// outside the limits above; nothing is allocated for such a picture.
// When fileSize is given it receives the number of bytes the file occupies.
std::optional<TDibImage> DecodeBmp(const uint8_t* data, size_t size, size_t* fileSize = nullptr);

// The width and height of the picture that DecodeBmp would decode, read from
// the headers alone (nothing is allocated); nothing where DecodeBmp refuses
// the headers. Lets a caller refuse a picture before paying for its pixels.
std::optional<std::pair<int, int>> BmpPictureSize(const uint8_t* data, size_t size);

// Encodes an image as a .bmp file: a 14-byte file header, a 40-byte info
// header, the colour table and the rows bottom-up.
std::vector<uint8_t> EncodeBmp(const TDibImage& image);

// One image of an icon file, as its directory describes it.
struct TIconEntry {
  int Width = 0;  // 256 when the directory says 0
  int Height = 0;
  int ColorCount = 0;
  int BitCount = 0;
  uint32_t Offset = 0;
  uint32_t Size = 0;
};

// The directory of an .ico file; nothing when the header is wrong, the file
// holds no image or an entry's bytes lie outside the file.
std::optional<std::vector<TIconEntry>> ParseIconFile(const uint8_t* data, size_t size);

// The directory in the resource layout (GRPICONDIR: entry IDs 1, 2, ... in
// place of file offsets) that the platform's icon lookup expects.
std::vector<uint8_t> IconResourceDirectory(const std::vector<TIconEntry>& entries);
