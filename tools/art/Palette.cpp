#include "Palette.h"

#include <algorithm>
#include <cassert>
#include <map>

namespace art {

namespace {

struct Entry {
  uint32_t colour;
  uint64_t count;
};

// Component c (0 red, 1 green, 2 blue) of a 0xRRGGBB value.
int component(uint32_t colour, int c) { return (colour >> (16 - 8 * c)) & 0xFF; }

// A box of the median cut: a range of the entry list.
struct Box {
  size_t begin, end;
};

// The component with the widest spread in a box, and its spread.
std::pair<int, int> widestAxis(const std::vector<Entry>& entries, const Box& box) {
  int best = 0, bestSpread = -1;
  for (int c = 0; c < 3; ++c) {
    int lo = 255, hi = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
      lo = std::min(lo, component(entries[i].colour, c));
      hi = std::max(hi, component(entries[i].colour, c));
    }
    if (hi - lo > bestSpread) {
      best = c;
      bestSpread = hi - lo;
    }
  }
  return {best, bestSpread};
}

// Count-weighted mean colour of a box.
Pixel meanColour(const std::vector<Entry>& entries, const Box& box) {
  uint64_t sum[3] = {0, 0, 0}, total = 0;
  for (size_t i = box.begin; i < box.end; ++i) {
    for (int c = 0; c < 3; ++c) sum[c] += component(entries[i].colour, c) * entries[i].count;
    total += entries[i].count;
  }
  auto avg = [&](int c) { return static_cast<uint8_t>((sum[c] + total / 2) / total); };
  return Pixel{avg(0), avg(1), avg(2), 255};
}

// Squared distance of two colours, weighted roughly by perceived brightness.
int distance(const Pixel& a, uint32_t rgb) {
  int dr = a.r - component(rgb, 0), dg = a.g - component(rgb, 1), db = a.b - component(rgb, 2);
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

// The 16 colours of the standard Windows palette.
Palette standardPalette16() {
  const uint32_t colours[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  Palette p;
  for (uint32_t c : colours) p.push_back(Pixel{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 255});
  return p;
}

// Median cut over the opaque pixels that are not reserved colours.
Palette quantise(const Image& img, size_t maxColours, const std::vector<uint32_t>& reserved) {
  assert(reserved.size() <= maxColours);
  Palette palette;
  for (uint32_t c : reserved)
    palette.push_back(Pixel{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 255});

  std::map<uint32_t, uint64_t> histogram;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      const Pixel& p = img.at(x, y);
      if (p.a < 128 || std::find(reserved.begin(), reserved.end(), p.rgb()) != reserved.end())
        continue;
      ++histogram[p.rgb()];
    }
  }
  std::vector<Entry> entries;
  for (const auto& [colour, count] : histogram) entries.push_back(Entry{colour, count});
  size_t room = maxColours - reserved.size();
  if (entries.empty() || room == 0) return palette;
  if (entries.size() <= room) {
    for (const Entry& e : entries)
      palette.push_back(
          Pixel{uint8_t(e.colour >> 16), uint8_t(e.colour >> 8), uint8_t(e.colour), 255});
    return palette;
  }

  std::vector<Box> boxes{Box{0, entries.size()}};
  while (boxes.size() < room) {
    // Split the box with the widest spread that still holds two colours.
    int bestBox = -1, bestSpread = 0, bestAxis = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].end - boxes[i].begin < 2) continue;
      auto [axis, spread] = widestAxis(entries, boxes[i]);
      if (spread > bestSpread) {
        bestBox = static_cast<int>(i);
        bestSpread = spread;
        bestAxis = axis;
      }
    }
    if (bestBox < 0) break;
    Box box = boxes[bestBox];
    std::sort(entries.begin() + box.begin, entries.begin() + box.end,
              [&](const Entry& a, const Entry& b) {
                return component(a.colour, bestAxis) < component(b.colour, bestAxis);
              });
    uint64_t total = 0, half = 0;
    for (size_t i = box.begin; i < box.end; ++i) total += entries[i].count;
    size_t split = box.begin + 1;
    for (size_t i = box.begin; i < box.end - 1; ++i) {
      half += entries[i].count;
      split = i + 1;
      if (half * 2 >= total) break;
    }
    boxes[bestBox] = Box{box.begin, split};
    boxes.push_back(Box{split, box.end});
  }
  for (const Box& box : boxes) palette.push_back(meanColour(entries, box));
  return palette;
}

// Exact matches first; otherwise the nearest entry that is not keyed.
std::vector<uint8_t> mapToPalette(const Image& img, const Palette& palette,
                                  const std::vector<uint32_t>& keyed) {
  assert(!palette.empty() && palette.size() <= 256);
  std::map<uint32_t, uint8_t> cache;
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(img.width()) * img.height());
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      uint32_t colour = img.at(x, y).rgb();
      auto it = cache.find(colour);
      if (it == cache.end()) {
        int best = -1, bestDistance = 0;
        for (size_t i = 0; i < palette.size(); ++i) {
          if (palette[i].rgb() == colour) {
            best = static_cast<int>(i);
            break;
          }
          if (std::find(keyed.begin(), keyed.end(), palette[i].rgb()) != keyed.end()) continue;
          int d = distance(palette[i], colour);
          if (best < 0 || d < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = d;
          }
        }
        assert(best >= 0);
        it = cache.emplace(colour, static_cast<uint8_t>(best)).first;
      }
      out.push_back(it->second);
    }
  }
  return out;
}

}  // namespace art
