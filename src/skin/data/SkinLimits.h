// What a skin may ask of memory and of painting, stated once. A skin is
// data that users pass around: the loader refuses a skin beyond these
// limits (or, where the description has a default, puts the default in
// place of a value out of range), and skintool check reports the same.
// The program's own skins use a small part of each (about 100,000 pixels,
// 8 title-bar buttons, borders of at most 33 pixels).
#pragma once

#include <cstdint>

namespace SkinLimits {

// A skin file is read whole: a file beyond this is refused before it is
// read. Compression can make a file a little larger than its archive.
constexpr uint64_t MaxFileSize = 36u << 20;
// The largest skin archive that a skin file may announce. Skins are a few
// hundred kilobytes; a bigger size word means a damaged file, which is not
// worth filling memory for.
constexpr uint32_t MaxArchiveSize = 32u << 20;
// Decoded pixels of all the pictures of one skin together, each decoding
// counted (a picture named twice counts twice): 16 Mi, 64 MiB at 32 bits.
constexpr int64_t MaxPixels = int64_t(1) << 24;
// Title-bar button sections of a description (the program's skins have 5).
constexpr int MaxSysButtons = 32;
// Thickness of a window border and height of the title, in pixels: the
// frame is painted, and its region taken from these pieces, at every size
// change of a window.
constexpr int MaxBorderSize = 256;
// Text shifts, clips and title-bar button places are offsets in a window:
// beyond this they mean nothing, and sums of them must not overflow.
constexpr int32_t MaxOffset = 32767;

}  // namespace SkinLimits
