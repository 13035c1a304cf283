#include "SkinTestFiles.h"

#include "lzhuf/LzhufEncoder.h"
#include "ui/ImageFiles.h"

namespace {

// Appends a 32-bit little-endian word.
void AppendLE32(Bytes& Out, uint32_t Value) {
  for (int shift = 0; shift < 32; shift += 8) Out.push_back(static_cast<uint8_t>(Value >> shift));
}

}  // namespace

// The characters as bytes.
Bytes TextBytes(const std::string& Text) { return Bytes(Text.begin(), Text.end()); }

// Header, names text (CR LF after each), size table, data.
Bytes SkinArchive(const SkinEntries& Entries, uint32_t Version) {
  std::string names;
  for (const auto& entry : Entries) names += entry.first + "\r\n";
  Bytes out;
  AppendLE32(out, Version);
  AppendLE32(out, static_cast<uint32_t>(names.size()));
  AppendLE32(out, 0);
  AppendLE32(out, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const auto& entry : Entries) AppendLE32(out, static_cast<uint32_t>(entry.second.size()));
  for (const auto& entry : Entries) out.insert(out.end(), entry.second.begin(), entry.second.end());
  return out;
}

// The archive, compressed.
Bytes SkinFile(const SkinEntries& Entries, uint32_t Version) {
  return LzhufPackSkinFile(SkinArchive(Entries, Version));
}

// A 24-bit picture, grey unless a colour function is given.
Bytes BmpFile(int Width, int Height, uint32_t (*Colour)(int x, int y)) {
  TDibImage image;
  image.Width = Width;
  image.Height = Height;
  image.BitCount = 24;
  image.Pixels.assign(DibStride(Width, 24) * static_cast<size_t>(Height), 0x80);
  for (int y = 0; y < Height && Colour; ++y) {
    for (int x = 0; x < Width; ++x) {
      const uint32_t rgb = Colour(x, y);
      uint8_t* p = image.Row(y) + 3 * x;
      p[0] = static_cast<uint8_t>(rgb);
      p[1] = static_cast<uint8_t>(rgb >> 8);
      p[2] = static_cast<uint8_t>(rgb >> 16);
    }
  }
  return EncodeBmp(image);
}

// Headers, a two-colour table, then rows of full runs, each row ended.
Bytes RleBmpFile(int Width, int Height) {
  Bytes rle;
  for (int y = 0; y < Height; ++y) {
    for (int left = Width; left > 0; left -= 255) {
      rle.push_back(static_cast<uint8_t>(left < 255 ? left : 255));
      rle.push_back(1);
    }
    rle.push_back(0);
    rle.push_back(y + 1 == Height ? 1 : 0);  // end of picture, else end of line
  }
  Bytes out = {'B', 'M'};
  const uint32_t offset = 14 + 40 + 2 * 4;
  AppendLE32(out, offset + static_cast<uint32_t>(rle.size()));
  AppendLE32(out, 0);
  AppendLE32(out, offset);
  AppendLE32(out, 40);
  AppendLE32(out, static_cast<uint32_t>(Width));
  AppendLE32(out, static_cast<uint32_t>(Height));
  out.insert(out.end(), {1, 0, 8, 0});  // planes, bits per pixel
  AppendLE32(out, 1);                   // BI_RLE8
  AppendLE32(out, static_cast<uint32_t>(rle.size()));
  AppendLE32(out, 0);
  AppendLE32(out, 0);
  AppendLE32(out, 2);  // colours used
  AppendLE32(out, 0);
  AppendLE32(out, 0x00000000);
  AppendLE32(out, 0x00C08040);
  out.insert(out.end(), rle.begin(), rle.end());
  return out;
}

// Size word and bytes.
Bytes SkinPayload(int32_t Size, const Bytes& File) {
  Bytes out;
  AppendLE32(out, static_cast<uint32_t>(Size));
  out.insert(out.end(), File.begin(), File.end());
  return out;
}
