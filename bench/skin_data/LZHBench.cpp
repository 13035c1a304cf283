// Decompression throughput of skin files through the stream driver, whose
// callbacks move one byte at a time: a skin-like archive of bitmaps and a
// description, and 1 MB of mixed data.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "lzhuf/LzhufEncoder.h"
#include "skin/data/LZH.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// Appends a 16-bit little-endian word.
void AppendLE16(Bytes& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

// Appends a 32-bit little-endian word.
void AppendLE32(Bytes& out, uint32_t value) {
  AppendLE16(out, value & 0xFFFF);
  AppendLE16(out, value >> 16);
}

// A Windows bitmap file drawn like a skin picture strip: Frames frames side by
// side, each a vertical gradient with a darker border, a lighter bevel and
// magenta (transparent) corners.
Bytes SkinBitmap(int width, int height, int bitsPerPixel, int frames) {
  const int rowBytes = ((width * bitsPerPixel + 31) / 32) * 4;
  const int paletteEntries = bitsPerPixel <= 8 ? 1 << bitsPerPixel : 0;
  const uint32_t offset = 14 + 40 + 4 * paletteEntries;
  Bytes out;
  out.push_back('B');
  out.push_back('M');
  AppendLE32(out, offset + rowBytes * height);
  AppendLE32(out, 0);
  AppendLE32(out, offset);
  AppendLE32(out, 40);
  AppendLE32(out, static_cast<uint32_t>(width));
  AppendLE32(out, static_cast<uint32_t>(height));
  AppendLE16(out, 1);
  AppendLE16(out, static_cast<uint32_t>(bitsPerPixel));
  for (int i = 0; i < 6; ++i) AppendLE32(out, 0);
  // Palette: entry 0 is magenta, the rest a blue-grey ramp.
  for (int i = 0; i < paletteEntries; ++i) {
    const int v = i * 255 / std::max(1, paletteEntries - 1);
    const uint8_t bgr[4] = {static_cast<uint8_t>(i == 0 ? 255 : 96 + v * 159 / 255),
                            static_cast<uint8_t>(i == 0 ? 0 : v * 200 / 255),
                            static_cast<uint8_t>(i == 0 ? 255 : v * 180 / 255), 0};
    out.insert(out.end(), bgr, bgr + 4);
  }

  const int frameWidth = std::max(1, width / frames);
  for (int y = 0; y < height; ++y) {
    Bytes row(rowBytes, 0);
    for (int x = 0; x < width; ++x) {
      const int fx = x % frameWidth;
      const int frame = x / frameWidth;
      const bool corner = (fx < 2 || fx >= frameWidth - 2) && (y < 2 || y >= height - 2);
      const bool border = fx == 0 || fx == frameWidth - 1 || y == 0 || y == height - 1;
      const bool bevel = fx == 1 || y == 1;
      // A gradient with a little dither, as scanned or rendered art has.
      const int dither = static_cast<int>((static_cast<unsigned>(x * 7919 + y * 104729) >> 3) % 7);
      int level = 40 + (y * 150) / std::max(1, height) + frame * 12 + dither;
      if (border) level = 20;
      if (bevel) level = 230;
      level = std::min(level, 255);
      if (bitsPerPixel == 24) {
        uint8_t* p = &row[x * 3];
        if (corner) {
          p[0] = 255, p[1] = 0, p[2] = 255;
        } else {
          p[0] = static_cast<uint8_t>(level);
          p[1] = static_cast<uint8_t>(level * 7 / 8);
          p[2] = static_cast<uint8_t>(level * 3 / 4);
        }
      } else {
        const int index = corner ? 0 : std::max(1, level * (paletteEntries - 1) / 255);
        if (bitsPerPixel == 8) {
          row[x] = static_cast<uint8_t>(index);
        } else {  // 4 bits per pixel, high nibble first
          row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// An INI description of roughly 4 KB naming the bitmaps.
std::string Description(const std::vector<std::string>& bitmaps) {
  std::string text = "[Info]\r\nVersion=2.0\r\nAuthor=Quorvel\r\n\r\n";
  for (const std::string& name : bitmaps) {
    const std::string section = name.substr(0, name.find('.'));
    text += "[" + section + "]\r\nBitmap=" + name +
            "\r\nTransparent=1\r\nTile=0\r\nLeftMargin=4\r\nRightMargin=4\r\n"
            "TopMargin=3\r\nBottomMargin=3\r\nFrameCount=4\r\nFontColor=$000000\r\n"
            "HotColor=$C08000\r\n\r\n";
  }
  return text;
}

// The archive: version, names length, two reserved words, names, sizes, data.
Bytes Archive(const std::vector<std::pair<std::string, Bytes>>& entries) {
  std::string names;
  for (const auto& entry : entries) names += entry.first + "\r\n";
  Bytes out;
  AppendLE32(out, 20000);
  AppendLE32(out, static_cast<uint32_t>(names.size()));
  AppendLE32(out, 0);
  AppendLE32(out, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const auto& entry : entries) AppendLE32(out, static_cast<uint32_t>(entry.second.size()));
  for (const auto& entry : entries) out.insert(out.end(), entry.second.begin(), entry.second.end());
  return out;
}

// A skin-like archive of about 190 KB: the usual frame, button and control pictures.
Bytes SkinLikeArchive() {
  struct Picture {
    const char* name;
    int width, height, bits, frames;
  };
  const Picture pictures[] = {
      {"top.bmp", 179, 66, 8, 1},         {"bottom.bmp", 57, 26, 4, 1},
      {"left.bmp", 20, 58, 8, 1},         {"right.bmp", 24, 56, 8, 1},
      {"menu.bmp", 70, 36, 8, 2},         {"dialog.bmp", 150, 150, 8, 1},
      {"button.bmp", 360, 24, 24, 5},     {"checkbox.bmp", 48, 12, 24, 4},
      {"radio.bmp", 48, 12, 24, 4},       {"progress.bmp", 182, 13, 24, 2},
      {"tabborder.bmp", 29, 28, 24, 1},   {"tabs.bmp", 275, 22, 24, 5},
      {"scrollhz.bmp", 64, 16, 24, 4},    {"scrollvt.bmp", 64, 16, 24, 4},
      {"scrollhb.bmp", 48, 16, 24, 3},    {"scrollvb.bmp", 48, 16, 24, 3},
      {"toolbar.bmp", 275, 22, 24, 5},    {"min.bmp", 57, 20, 8, 3},
      {"max.bmp", 57, 20, 8, 3},          {"close.bmp", 57, 20, 8, 3},
      {"restore.bmp", 57, 20, 8, 3},      {"ap-combo-arrows.bmp", 80, 16, 24, 5},
      {"ap-combo.bmp", 72, 21, 24, 3},    {"ap-sunkedge.bmp", 460, 22, 24, 5},
      {"qelto_mdib.bmp", 180, 15, 24, 5},
  };
  std::vector<std::pair<std::string, Bytes>> entries;
  std::vector<std::string> names;
  for (const Picture& p : pictures) {
    entries.emplace_back(p.name, SkinBitmap(p.width, p.height, p.bits, p.frames));
    names.push_back(p.name);
  }
  const std::string ini = Description(names);
  entries.insert(entries.begin() + 21, {"skin.ini", Bytes(ini.begin(), ini.end())});
  return Archive(entries);
}

// 1 MB of text-like repeats, random stretches and runs, interleaved.
Bytes MixedMegabyte() {
  std::mt19937 rng(2026);
  Bytes out;
  const size_t size = 1 << 20;
  while (out.size() < size) {
    switch (rng() % 4) {
      case 0:  // random bytes
        for (int i = 0, n = 32 + rng() % 512; i < n; ++i)
          out.push_back(static_cast<uint8_t>(rng()));
        break;
      case 1:  // a run
        out.insert(out.end(), 16 + rng() % 300, static_cast<uint8_t>(rng()));
        break;
      default:  // words, often copied from the recent past
        for (int i = 0, n = 20 + rng() % 200; i < n; ++i) {
          if (out.size() > 4096 && rng() % 4 != 0) {
            const size_t from = out.size() - 1 - rng() % 4000;
            for (int k = 0, len = 3 + rng() % 20; k < len; ++k) out.push_back(out[from + k]);
          } else {
            out.push_back(static_cast<uint8_t>('a' + rng() % 26));
          }
        }
    }
  }
  out.resize(size);
  return out;
}

// Decompresses the skin file repeatedly for about a second; returns MB/s.
double DecompressionSpeed(const Bytes& skinFile, size_t unpackedSize) {
  int rounds = 0;
  double seconds = 0;
  while (seconds < 1.0 || rounds < 3) {
    TMemoryStream source(skinFile);
    TMemoryStream dest;
    const auto start = Clock::now();
    Unpack(source, dest);
    seconds += std::chrono::duration<double>(Clock::now() - start).count();
    ++rounds;
    if (static_cast<size_t>(dest.Size()) != unpackedSize) {
      std::fprintf(stderr, "wrong size\n");
      std::exit(1);
    }
  }
  return unpackedSize * static_cast<double>(rounds) / seconds / 1e6;
}

// Compresses Data once (timed), then measures decompression and prints a line.
void Report(const char* label, const Bytes& data) {
  const auto start = Clock::now();
  const Bytes skinFile = LzhufPackSkinFile(data);
  const double packSeconds = std::chrono::duration<double>(Clock::now() - start).count();
  const double speed = DecompressionSpeed(skinFile, data.size());
  std::printf("%-22s %8zu bytes -> %7zu (%.1f:1)  unpack %6.1f MB/s  pack %6.1f MB/s\n", label,
              data.size(), skinFile.size(), data.size() / static_cast<double>(skinFile.size()),
              speed, data.size() / packSeconds / 1e6);
}

}  // namespace

// Prints one line per input.
int main() {
  Report("skin-like archive", SkinLikeArchive());
  Report("1 MB mixed", MixedMegabyte());
  return 0;
}
