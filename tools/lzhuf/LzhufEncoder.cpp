// The classic LZHUF compressor: a binary search tree over the ring buffer
// finds the longest match, and one adaptive Huffman tree codes literals and
// match lengths. The tree code is kept apart from the program's decoder on
// purpose, so that round trips check one implementation against the other.
#include "LzhufEncoder.h"

#include <cassert>
#include <memory>
#include <utility>

namespace {

constexpr int N = 4096;                      // ring buffer size
constexpr int F = 60;                        // longest match
constexpr int THRESHOLD = 2;                 // a match is at least 3 bytes
constexpr int NIL = N;                       // "no node" in the search tree
constexpr int N_CHAR = 256 - THRESHOLD + F;  // literals plus match lengths
constexpr int T = N_CHAR * 2 - 1;            // nodes of the Huffman tree
constexpr int R = T - 1;                     // its root
constexpr unsigned MAX_FREQ = 0x8000;        // root weight that forces a rebuild

// Prefix codes for the upper 6 bits of a match position: length and code
// (left-aligned in a byte).
const uint8_t PositionLen[64] = {
    3, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 7, 7, 7, 7, 7, 7, 7, 7,
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8,
};
const uint8_t PositionCode[64] = {
    0x00, 0x20, 0x30, 0x40, 0x50, 0x58, 0x60, 0x68, 0x70, 0x78, 0x80, 0x88, 0x90, 0x94, 0x98, 0x9C,
    0xA0, 0xA4, 0xA8, 0xAC, 0xB0, 0xB4, 0xB8, 0xBC, 0xC0, 0xC2, 0xC4, 0xC6, 0xC8, 0xCA, 0xCC, 0xCE,
    0xD0, 0xD2, 0xD4, 0xD6, 0xD8, 0xDA, 0xDC, 0xDE, 0xE0, 0xE2, 0xE4, 0xE6, 0xE8, 0xEA, 0xEC, 0xEE,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF,
};

// Collects bits most significant first into bytes.
class TBitWriter {
public:
  // Appends the low Count bits of Value, highest of them first.
  void Put(int Count, uint32_t Value) {
    assert(Count >= 0 && Count <= 32);
    for (int i = Count - 1; i >= 0; --i) {
      FByte = static_cast<uint8_t>((FByte << 1) | ((Value >> i) & 1));
      if (++FBits == 8) {
        FOut.push_back(FByte);
        FByte = 0;
        FBits = 0;
      }
    }
  }
  // Pads the last byte with zero bits and returns everything written.
  std::vector<uint8_t> Finish() {
    if (FBits > 0) FOut.push_back(static_cast<uint8_t>(FByte << (8 - FBits)));
    FBits = 0;
    return std::move(FOut);
  }

private:
  std::vector<uint8_t> FOut;
  uint8_t FByte = 0;
  int FBits = 0;
};

// The adaptive Huffman model shared by literals and match lengths.
class THuffmanModel {
public:
  THuffmanModel() {
    for (int i = 0; i < N_CHAR; ++i) {
      FFreq[i] = 1;
      FSon[i] = i + T;
      FPrnt[i + T] = i;
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
      FFreq[j] = FFreq[i] + FFreq[i + 1];
      FSon[j] = i;
      FPrnt[i] = FPrnt[i + 1] = j;
    }
    FFreq[T] = 0xFFFF;
    FPrnt[R] = 0;
  }

  // Writes the current code of Symbol, then counts it.
  void Encode(TBitWriter& Out, int Symbol) {
    assert(Symbol >= 0 && Symbol < N_CHAR);
    uint32_t code = 0;
    int depth = 0;
    // Climb from the leaf to the root; a node's parity says which child it is.
    for (int k = FPrnt[Symbol + T]; k != R; k = FPrnt[k]) {
      assert(depth < 32);
      code |= static_cast<uint32_t>(k & 1) << depth;
      ++depth;
    }
    Out.Put(depth, code);
    Count(Symbol);
  }

private:
  // Adds one to Symbol's weight and to its ancestors', keeping them sorted.
  void Count(int Symbol) {
    if (FFreq[R] == MAX_FREQ) Rebuild();
    int c = FPrnt[Symbol + T];
    do {
      const unsigned k = ++FFreq[c];
      int l = c + 1;
      if (k > FFreq[l]) {
        while (k > FFreq[++l]) {}
        --l;
        FFreq[c] = FFreq[l];
        FFreq[l] = k;
        const int i = FSon[c];
        FPrnt[i] = l;
        if (i < T) FPrnt[i + 1] = l;
        const int j = FSon[l];
        FSon[l] = i;
        FPrnt[j] = c;
        if (j < T) FPrnt[j + 1] = c;
        FSon[c] = j;
        c = l;
      }
      c = FPrnt[c];
    } while (c != 0);
  }

  // Halves the leaf weights and rebuilds the tree over them.
  void Rebuild() {
    int j = 0;
    for (int i = 0; i < T; ++i) {
      if (FSon[i] >= T) {
        FFreq[j] = (FFreq[i] + 1) / 2;
        FSon[j] = FSon[i];
        ++j;
      }
    }
    for (int i = 0, j2 = N_CHAR; j2 < T; i += 2, ++j2) {
      const unsigned f = FFreq[i] + FFreq[i + 1];
      int k = j2 - 1;
      while (f < FFreq[k]) --k;
      ++k;
      for (int m = j2; m > k; --m) {
        FFreq[m] = FFreq[m - 1];
        FSon[m] = FSon[m - 1];
      }
      FFreq[k] = f;
      FSon[k] = i;
    }
    for (int i = 0; i < T; ++i) {
      const int k = FSon[i];
      FPrnt[k] = i;
      if (k < T) FPrnt[k + 1] = i;
    }
  }

  unsigned FFreq[T + 1];
  int FPrnt[T + N_CHAR];
  int FSon[T];
};

// LZSS match finder: one binary search tree per first byte over the window.
class TMatchFinder {
public:
  TMatchFinder() {
    for (int i = N + 1; i <= N + 256; ++i) FRight[i] = NIL;
    for (int i = 0; i < N; ++i) FParent[i] = NIL;
    for (int i = 0; i < N + F - 1; ++i) Text[i] = ' ';
  }

  // Adds the string at R to the tree and records the longest match for it.
  void Insert(int Pos) {
    const uint8_t* key = &Text[Pos];
    int p = N + 1 + key[0];
    int cmp = 1;
    FRight[Pos] = FLeft[Pos] = NIL;
    MatchLength = 0;
    for (;;) {
      if (cmp >= 0) {
        if (FRight[p] == NIL) {
          FRight[p] = Pos;
          FParent[Pos] = p;
          return;
        }
        p = FRight[p];
      } else {
        if (FLeft[p] == NIL) {
          FLeft[p] = Pos;
          FParent[Pos] = p;
          return;
        }
        p = FLeft[p];
      }
      int i = 1;
      for (; i < F; ++i) {
        cmp = key[i] - Text[p + i];
        if (cmp != 0) break;
      }
      if (i > THRESHOLD) {
        const int distance = ((Pos - p) & (N - 1)) - 1;
        if (i > MatchLength) {
          MatchPosition = distance;
          MatchLength = i;
          if (MatchLength >= F) break;
        } else if (i == MatchLength && distance < MatchPosition) {
          MatchPosition = distance;
        }
      }
    }
    // A full-length match: Pos takes over p's place in the tree.
    FParent[Pos] = FParent[p];
    FLeft[Pos] = FLeft[p];
    FRight[Pos] = FRight[p];
    FParent[FLeft[p]] = Pos;
    FParent[FRight[p]] = Pos;
    if (FRight[FParent[p]] == p) {
      FRight[FParent[p]] = Pos;
    } else {
      FLeft[FParent[p]] = Pos;
    }
    FParent[p] = NIL;
  }

  // Takes the string at Pos out of the tree.
  void Remove(int Pos) {
    if (FParent[Pos] == NIL) return;
    int q;
    if (FRight[Pos] == NIL) {
      q = FLeft[Pos];
    } else if (FLeft[Pos] == NIL) {
      q = FRight[Pos];
    } else {
      q = FLeft[Pos];
      if (FRight[q] != NIL) {
        do {
          q = FRight[q];
        } while (FRight[q] != NIL);
        FRight[FParent[q]] = FLeft[q];
        FParent[FLeft[q]] = FParent[q];
        FLeft[q] = FLeft[Pos];
        FParent[FLeft[Pos]] = q;
      }
      FRight[q] = FRight[Pos];
      FParent[FRight[Pos]] = q;
    }
    FParent[q] = FParent[Pos];
    if (FRight[FParent[Pos]] == Pos) {
      FRight[FParent[Pos]] = q;
    } else {
      FLeft[FParent[Pos]] = q;
    }
    FParent[Pos] = NIL;
  }

  // The window, with its first F-1 bytes mirrored behind its end.
  uint8_t Text[N + F - 1];
  int MatchPosition = 0;
  int MatchLength = 0;

private:
  int FLeft[N + 1];
  int FRight[N + 257];
  int FParent[N + 1];
};

// Writes a match distance: prefix code of its upper 6 bits, then its lower 6.
void EncodePosition(TBitWriter& Out, int Distance) {
  const int high = Distance >> 6;
  Out.Put(PositionLen[high], PositionCode[high] >> (8 - PositionLen[high]));
  Out.Put(6, static_cast<uint32_t>(Distance & 0x3F));
}

}  // namespace

// Compresses Data with LZSS matching and adaptive Huffman coding.
std::vector<uint8_t> LzhufCompress(const uint8_t* Data, size_t Size) {
  assert(Data || Size == 0);
  TBitWriter out;
  if (Size == 0) return out.Finish();

  THuffmanModel model;
  auto finder = std::make_unique<TMatchFinder>();
  uint8_t* text = finder->Text;
  size_t next = 0;  // next input byte to read

  int s = 0;
  int r = N - F;
  int len = 0;
  for (; len < F && next < Size; ++len) text[r + len] = Data[next++];
  for (int i = 1; i <= F; ++i) finder->Insert(r - i);
  finder->Insert(r);

  do {
    if (finder->MatchLength > len) finder->MatchLength = len;
    if (finder->MatchLength <= THRESHOLD) {
      finder->MatchLength = 1;
      model.Encode(out, text[r]);
    } else {
      model.Encode(out, 255 - THRESHOLD + finder->MatchLength);
      EncodePosition(out, finder->MatchPosition);
    }
    const int consumed = finder->MatchLength;
    int i = 0;
    // Slide the window over the consumed bytes, reading new ones behind it.
    for (; i < consumed && next < Size; ++i) {
      finder->Remove(s);
      const uint8_t c = Data[next++];
      text[s] = c;
      if (s < F - 1) text[s + N] = c;
      s = (s + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      finder->Insert(r);
    }
    // At the end of the input the look-ahead only shrinks.
    for (; i < consumed; ++i) {
      finder->Remove(s);
      s = (s + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      if (--len > 0) finder->Insert(r);
    }
  } while (len > 0);
  return out.Finish();
}

// Prefixes the compressed archive with its 32-bit little-endian size.
std::vector<uint8_t> LzhufPackSkinFile(const std::vector<uint8_t>& Archive) {
  assert(Archive.size() <= 0xFFFFFFFFu);
  const auto size = static_cast<uint32_t>(Archive.size());
  std::vector<uint8_t> file = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                               static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
  const std::vector<uint8_t> stream = LzhufCompress(Archive.data(), Archive.size());
  file.insert(file.end(), stream.begin(), stream.end());
  return file;
}
