#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "lzhuf/LzhufEncoder.h"
#include "skin/data/LZH.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Decompresses a whole skin file held in memory.
Bytes UnpackBytes(const Bytes& skinFile) {
  TMemoryStream source(skinFile);
  TMemoryStream dest;
  Unpack(source, dest);
  return dest.Bytes();
}

// A skin file with an arbitrary size word in front of a bit stream.
Bytes SkinFile(uint32_t unpackedSize, const Bytes& stream) {
  Bytes file = {static_cast<uint8_t>(unpackedSize), static_cast<uint8_t>(unpackedSize >> 8),
                static_cast<uint8_t>(unpackedSize >> 16), static_cast<uint8_t>(unpackedSize >> 24)};
  file.insert(file.end(), stream.begin(), stream.end());
  return file;
}

// Incompressible bytes.
Bytes RandomBytes(size_t size, uint32_t state) {
  std::mt19937 rng(state);
  Bytes out(size);
  for (auto& b : out) b = static_cast<uint8_t>(rng());
  return out;
}

// Text-like data with repeats at every distance the window allows.
Bytes RepetitiveBytes(size_t size, uint32_t state) {
  std::mt19937 rng(state);
  Bytes out;
  while (out.size() < size) {
    if (out.size() > 64 && rng() % 3 != 0) {
      const size_t distance = 1 + rng() % std::min<size_t>(out.size(), 4096);
      const size_t length = 1 + rng() % 70;
      const size_t from = out.size() - distance;
      for (size_t k = 0; k < length; ++k) out.push_back(out[from + k]);
    } else {
      out.push_back(static_cast<uint8_t>('a' + rng() % 26));
    }
  }
  out.resize(size);
  return out;
}

// A decompressor whose callbacks record how they are called.
class TRecordingLZH : public TLZH {
public:
  explicit TRecordingLZH(Bytes input) : TLZH(nullptr, nullptr), Input(std::move(input)) {}

  // Delivers the next input byte, or none at the end.
  void Read(void* buffer, uint16_t count, uint16_t& actual) {
    ++ReadCalls;
    if (count != 1) ++OtherCounts;
    actual = 0;
    if (Next < Input.size()) {
      *static_cast<uint8_t*>(buffer) = Input[Next++];
      actual = 1;
    }
  }
  // Keeps the output byte.
  void Write(void* buffer, uint16_t count, uint16_t& actual) {
    if (count != 1) ++OtherCounts;
    Output.push_back(*static_cast<uint8_t*>(buffer));
    actual = count;
  }
  // Decompresses size bytes through the two recording callbacks.
  void Run(uint32_t size) {
    LZHUnpack(size, static_cast<TTransferProc>(&TRecordingLZH::Read),
              static_cast<TTransferProc>(&TRecordingLZH::Write));
  }

  Bytes Input;
  size_t Next = 0;
  Bytes Output;
  int ReadCalls = 0;
  int OtherCounts = 0;
};

// Bytes of a simple linear congruential generator, for reproducible streams.
Bytes LcgBytes(uint32_t state, size_t size) {
  Bytes out(size);
  for (auto& b : out) {
    state = state * 1103515245u + 12345u;
    b = static_cast<uint8_t>(state >> 24);
  }
  return out;
}

// 64-bit FNV-1a hash.
uint64_t Fnv1a(const Bytes& bytes) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (uint8_t b : bytes) hash = (hash ^ b) * 0x100000001b3ull;
  return hash;
}

TEST(LZH, DecodesReferenceStreams) {
  // Arbitrary bit streams decoded by a separate, plain implementation of the
  // format; the largest rebuilds the tree a dozen times.
  struct Vector {
    uint32_t state;
    size_t streamSize;
    uint32_t unpackedSize;
    uint64_t hash;
  };
  const Vector vectors[] = {
      {1, 40, 120, 0x95056a7e8704b74full},
      {3, 5000, 30000, 0x3b8e73ce8c996a3eull},
      {7, 200000, 1500000, 0xde23326032107877ull},
  };
  for (const Vector& v : vectors) {
    SCOPED_TRACE(v.state);
    const Bytes out = UnpackBytes(SkinFile(v.unpackedSize, LcgBytes(v.state, v.streamSize)));
    EXPECT_EQ(out.size(), v.unpackedSize);
    EXPECT_EQ(Fnv1a(out), v.hash);
  }
  // The first one starts with a literal, then spaces from the window.
  const Bytes first = UnpackBytes(SkinFile(120, LcgBytes(1, 40)));
  EXPECT_EQ(first[0], 0xB5);
  EXPECT_EQ(first[1], 0x20);
}

TEST(LZH, ZeroSizeProducesNothingAndReadsNoBits) {
  TRecordingLZH lzh({0xFF, 0xFF, 0xFF});
  lzh.Run(0);
  EXPECT_TRUE(lzh.Output.empty());
  EXPECT_EQ(lzh.ReadCalls, 0);

  // Through the stream driver: only the size word is consumed.
  TMemoryStream source(SkinFile(0, {0xFF, 0xFF}));
  TMemoryStream dest;
  Unpack(source, dest);
  EXPECT_EQ(dest.Size(), 0);
  EXPECT_EQ(source.Position(), 4);
}

TEST(LZH, CallbacksMoveOneByteAtATime) {
  const Bytes data = RepetitiveBytes(5000, 7);
  const Bytes stream = LzhufCompress(data.data(), data.size());
  TRecordingLZH lzh(stream);
  lzh.Run(static_cast<uint32_t>(data.size()));
  EXPECT_EQ(lzh.Output, data);
  EXPECT_EQ(lzh.OtherCounts, 0);
}

TEST(LZH, ShortSourceReadsMissingSizeBytesAsZero) {
  EXPECT_TRUE(UnpackBytes({}).empty());
  EXPECT_TRUE(UnpackBytes({0x00, 0x00}).empty());
  // Size 3 from the one byte that is there; the bits are all zero.
  EXPECT_EQ(UnpackBytes({0x03}).size(), 3u);
}

TEST(LZH, TruncatedStreamStillProducesTheFullSize) {
  const Bytes data = RepetitiveBytes(20000, 3);
  Bytes file = LzhufPackSkinFile(data);
  const size_t streamBytes = file.size() - 4;
  file.resize(4 + streamBytes / 2);

  const Bytes out = UnpackBytes(file);
  ASSERT_EQ(out.size(), data.size());
  // What the remaining bits describe is still right.
  EXPECT_TRUE(std::equal(out.begin(), out.begin() + 1000, data.begin()));
  EXPECT_NE(out, data);

  // Nothing but the size: every symbol decodes from zero bits, and a match
  // that would run past the size is cut short.
  for (uint32_t size : {1u, 2u, 59u, 1234u}) {
    EXPECT_EQ(UnpackBytes(SkinFile(size, {})).size(), size);
  }
}

TEST(LZH, MatchIntoTheInitialWindowGivesSpaces) {
  // The encoder finds the leading spaces in the window before any output.
  const Bytes data = Bytes(60, ' ');
  const Bytes file = LzhufPackSkinFile(data);
  EXPECT_LE(file.size(), 4u + 4u) << "expected one match, not 60 literals";
  EXPECT_EQ(UnpackBytes(file), data);

  const std::string text = "    leading spaces, then text,                       then more spaces";
  const Bytes textBytes(text.begin(), text.end());
  EXPECT_EQ(UnpackBytes(LzhufPackSkinFile(textBytes)), textBytes);
}

TEST(LZH, RoundTripsVariedData) {
  struct Case {
    const char* name;
    Bytes data;
  };
  Bytes allValues;
  for (int round = 0; round < 3; ++round) {
    for (int v = 0; v < 256; ++v) allValues.push_back(static_cast<uint8_t>(v));
  }
  const std::vector<Case> cases = {
      {"empty", {}},
      {"one byte", {0x42}},
      {"two bytes", {0x00, 0xFF}},
      {"run of zeros", Bytes(100000, 0)},
      {"run longer than the window", Bytes(3 * 4096 + 17, 'x')},
      {"all byte values", allValues},
      {"random", RandomBytes(70000, 1)},
      {"repetitive", RepetitiveBytes(200000, 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes file = LzhufPackSkinFile(c.data);
    EXPECT_EQ(UnpackBytes(file), c.data);
  }
}

TEST(LZH, RoundTripsPastTreeRebuilds) {
  // More than 0x8000 symbols of both kinds force several rebuilds of the tree.
  Bytes data = RandomBytes(40000, 11);
  const Bytes more = RepetitiveBytes(300000, 12);
  data.insert(data.end(), more.begin(), more.end());
  const Bytes file = LzhufPackSkinFile(data);
  EXPECT_LT(file.size(), data.size());
  EXPECT_EQ(UnpackBytes(file), data);
}

TEST(LZH, CompressesRunsWell) {
  const Bytes data(100000, 'a');
  EXPECT_LT(LzhufPackSkinFile(data).size(), data.size() / 20);
}

TEST(LZH, OutputFailurePassesOutAndNextUnpackWorks) {
  // A stream that refuses to grow past 10 bytes.
  class TSmallStream : public TMemoryStream {
  public:
    size_t Write(const void* buffer, size_t count) override {
      return Position() >= 10 ? 0 : TMemoryStream::Write(buffer, count);
    }
  };
  const Bytes data = RepetitiveBytes(100, 5);
  const Bytes file = LzhufPackSkinFile(data);
  TMemoryStream source(file);
  TSmallStream small;
  EXPECT_THROW(Unpack(source, small), EWriteError);
  EXPECT_EQ(UnpackBytes(file), data);
}

}  // namespace
