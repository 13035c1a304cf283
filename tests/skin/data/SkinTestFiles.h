// Skin files made up in tests: archives of named entries, compressed the way
// skin files are, and small pictures to put in them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;
using SkinEntries = std::vector<std::pair<std::string, Bytes>>;

// The bytes of a text.
Bytes TextBytes(const std::string& Text);
// A skin archive holding the entries in order (version 20000 unless given).
Bytes SkinArchive(const SkinEntries& Entries, uint32_t Version = 20000);
// A skin file: the archive compressed behind its unpacked size.
Bytes SkinFile(const SkinEntries& Entries, uint32_t Version = 20000);
// A 24-bit .bmp file of Width x Height; pixel (x, y) is Colour(x, y) as 0x00RRGGBB.
Bytes BmpFile(int Width, int Height, uint32_t (*Colour)(int x, int y) = nullptr);
// An 8-bit run-length .bmp file of Width x Height in one colour: runs of at
// most 255 pixels, the densest run-length data a picture may have.
Bytes RleBmpFile(int Width, int Height);
// A "SkinStream" payload: the little-endian size, then the bytes.
Bytes SkinPayload(int32_t Size, const Bytes& File);
