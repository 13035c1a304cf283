// LZHUF compression for the build tools: produces skin files that the
// program's decompressor reads (4 KB window filled with spaces, matches of
// 3 to 60 bytes, adaptive Huffman coding of literals and lengths).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The bare LZHUF bit stream for Size bytes of Data (no size header).
std::vector<uint8_t> LzhufCompress(const uint8_t* Data, size_t Size);

// A complete skin file: the 4-byte little-endian unpacked size, then the stream.
std::vector<uint8_t> LzhufPackSkinFile(const std::vector<uint8_t>& Archive);
