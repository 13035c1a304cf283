#include "skin/data/LZH.h"

#include <cassert>
#include <new>

#include "skin/data/SkinLimits.h"

namespace LzhMsg {
const char* const CannotGetMemory = "LZH : Cannot get memory for dictionary tables";
const char* const CannotFreeMemory = "LZH : Error freeing memory for dictionary tables";
}  // namespace LzhMsg

namespace {

// Upper 6 bits of a match position, indexed by the first 8 bits of its code.
const uint8_t DCode[256] = {
    0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
    0,  0,  0,  0,  0,  0,  0,  0,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,
    2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  3,  3,  3,  3,  3,  3,  3,  3,
    3,  3,  3,  3,  3,  3,  3,  3,  4,  4,  4,  4,  4,  4,  4,  4,  5,  5,  5,  5,  5,  5,  5,  5,
    6,  6,  6,  6,  6,  6,  6,  6,  7,  7,  7,  7,  7,  7,  7,  7,  8,  8,  8,  8,  8,  8,  8,  8,
    9,  9,  9,  9,  9,  9,  9,  9,  10, 10, 10, 10, 10, 10, 10, 10, 11, 11, 11, 11, 11, 11, 11, 11,
    12, 12, 12, 12, 13, 13, 13, 13, 14, 14, 14, 14, 15, 15, 15, 15, 16, 16, 16, 16, 17, 17, 17, 17,
    18, 18, 18, 18, 19, 19, 19, 19, 20, 20, 20, 20, 21, 21, 21, 21, 22, 22, 22, 22, 23, 23, 23, 23,
    24, 24, 25, 25, 26, 26, 27, 27, 28, 28, 29, 29, 30, 30, 31, 31, 32, 32, 33, 33, 34, 34, 35, 35,
    36, 36, 37, 37, 38, 38, 39, 39, 40, 40, 41, 41, 42, 42, 43, 43, 44, 44, 45, 45, 46, 46, 47, 47,
    48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63,
};

// Total code length (prefix plus 6 verbatim bits) minus 6, by first 8 bits.
const uint8_t DLen[256] = {
    3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3,
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5,
    5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5,
    5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6,
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6,
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8,
};

}  // namespace

// Binds the streams that the stream adaptors read from and write to.
TLZH::TLZH(TStream* Input, TStream* Output) : FInput(Input), FOutput(Output) {}

// Allocates the window and the tree tables; any failure becomes ElzhException.
void TLZH::InitTables() {
  try {
    TextBuf.assign(N + F - 1, 0);
    Freq.assign(T + 1, 0);
    Prnt.assign(T + N_CHAR, 0);
    Son.assign(T, 0);
  } catch (const std::bad_alloc&) {
    FreeTables();
    throw ElzhException(LzhMsg::CannotGetMemory);
  }
}

// Gives the tables back (swapping with empty vectors cannot fail).
void TLZH::FreeTables() {
  std::vector<uint8_t>().swap(TextBuf);
  std::vector<uint16_t>().swap(Freq);
  std::vector<uint16_t>().swap(Prnt);
  std::vector<uint16_t>().swap(Son);
}

// Builds the initial tree: every symbol weighs 1, internal nodes pair them up.
void TLZH::StartHuff() {
  for (int i = 0; i < N_CHAR; ++i) {
    Freq[i] = 1;
    Son[i] = static_cast<uint16_t>(i + T);
    Prnt[i + T] = static_cast<uint16_t>(i);
  }
  for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
    Freq[j] = static_cast<uint16_t>(Freq[i] + Freq[i + 1]);
    Son[j] = static_cast<uint16_t>(i);
    Prnt[i] = Prnt[i + 1] = static_cast<uint16_t>(j);
  }
  Freq[T] = 0xFFFF;
  Prnt[R] = 0;
}

// Halves every leaf weight and rebuilds the tree from the leaves.
void TLZH::Reconstruct() {
  // Leaves go to the low end, in their current (weight) order.
  int j = 0;
  for (int i = 0; i < T; ++i) {
    if (Son[i] >= T) {
      Freq[j] = static_cast<uint16_t>((Freq[i] + 1) / 2);
      Son[j] = Son[i];
      ++j;
    }
  }
  // Each new internal node joins the next two nodes and is inserted in order.
  for (int i = 0, node = N_CHAR; node < T; i += 2, ++node) {
    const unsigned f = Freq[i] + Freq[i + 1];
    int k = node;
    while (k > 0 && Freq[k - 1] > f) --k;
    for (int m = node; m > k; --m) {
      Freq[m] = Freq[m - 1];
      Son[m] = Son[m - 1];
    }
    Freq[k] = static_cast<uint16_t>(f);
    Son[k] = static_cast<uint16_t>(i);
  }
  // Parents follow from the children.
  for (int i = 0; i < T; ++i) {
    const int k = Son[i];
    if (k >= T) {
      Prnt[k] = static_cast<uint16_t>(i);
    } else {
      Prnt[k] = Prnt[k + 1] = static_cast<uint16_t>(i);
    }
  }
}

// Counts one more occurrence of Symbol and keeps the weights ordered.
void TLZH::Update(int Symbol) {
  assert(Symbol >= 0 && Symbol < N_CHAR);
  if (Freq[R] == MAX_FREQ) Reconstruct();
  int n = Prnt[Symbol + T];
  do {
    const unsigned k = ++Freq[n];
    if (Freq[n + 1] < k) {
      // Swap n with the last node that now weighs less than it.
      int l = n + 1;
      while (Freq[l + 1] < k) ++l;
      Freq[n] = Freq[l];
      Freq[l] = static_cast<uint16_t>(k);

      const int i = Son[n];
      Prnt[i] = static_cast<uint16_t>(l);
      if (i < T) Prnt[i + 1] = static_cast<uint16_t>(l);

      const int j = Son[l];
      Son[l] = static_cast<uint16_t>(i);
      Prnt[j] = static_cast<uint16_t>(n);
      if (j < T) Prnt[j + 1] = static_cast<uint16_t>(n);
      Son[n] = static_cast<uint16_t>(j);
      n = l;
    }
    n = Prnt[n];
  } while (n != 0);
}

// Tops the bit buffer up to more than 8 bits; missing input reads as zero.
void TLZH::FillBitBuffer() {
  while (GetLen <= 8) {
    uint8_t b = 0;
    uint16_t actual = 0;
    (this->*FReadProc)(&b, 1, actual);
    if (actual == 0) b = 0;
    GetBuf = static_cast<uint16_t>(GetBuf | (b << (8 - GetLen)));
    GetLen = static_cast<uint8_t>(GetLen + 8);
  }
}

// Next bit of the input, most significant bit of each byte first.
unsigned TLZH::GetBit() {
  FillBitBuffer();
  const unsigned bit = GetBuf >> 15;
  GetBuf = static_cast<uint16_t>(GetBuf << 1);
  GetLen = static_cast<uint8_t>(GetLen - 1);
  return bit;
}

// Next 8 bits of the input.
unsigned TLZH::GetByte() {
  FillBitBuffer();
  const unsigned byte = GetBuf >> 8;
  GetBuf = static_cast<uint16_t>(GetBuf << 8);
  GetLen = static_cast<uint8_t>(GetLen - 8);
  return byte;
}

// Walks the tree from the root to a leaf and returns its symbol.
int TLZH::DecodeChar() {
  unsigned n = Son[R];
  while (n < T) n = Son[n + GetBit()];
  const int symbol = static_cast<int>(n) - T;
  Update(symbol);
  return symbol;
}

// Reads a match distance: a prefix code for the upper 6 bits, 6 plain bits.
int TLZH::DecodePosition() {
  unsigned i = GetByte();
  const unsigned high = static_cast<unsigned>(DCode[i]) << 6;
  for (int extra = DLen[i] - 2; extra > 0; --extra) i = (i << 1) + GetBit();
  return static_cast<int>(high | (i & 0x3F));
}

// Hands one output byte to the write callback and appends it to the window.
void TLZH::PutByte(uint8_t Byte, unsigned& Pos) {
  uint16_t actual = 0;
  (this->*FWriteProc)(&Byte, 1, actual);
  TextBuf[Pos] = Byte;
  Pos = (Pos + 1) & (N - 1);
}

// Decodes symbols until exactly UnpackedSize bytes exist.
void TLZH::LZHUnpack(uint32_t UnpackedSize, TTransferProc ReadProc, TTransferProc WriteProc) {
  assert(ReadProc && WriteProc);
  FReadProc = ReadProc;
  FWriteProc = WriteProc;
  InitTables();
  // The tables go when the decompression ends, also when it raises.
  struct TTablesOwner {
    TLZH& Owner;
    ~TTablesOwner() { Owner.FreeTables(); }
  } tablesOwner{*this};

  GetBuf = 0;
  GetLen = 0;
  StartHuff();
  for (int i = 0; i < N - F; ++i) TextBuf[i] = ' ';
  unsigned r = N - F;

  uint32_t count = 0;
  while (count < UnpackedSize) {
    const int symbol = DecodeChar();
    if (symbol < 256) {
      PutByte(static_cast<uint8_t>(symbol), r);
      ++count;
    } else {
      const unsigned from = (r - DecodePosition() - 1) & (N - 1);
      const int length = symbol - 255 + THRESHOLD;
      // A damaged stream may ask for more than is left; the size is exact.
      for (int k = 0; k < length && count < UnpackedSize; ++k) {
        PutByte(TextBuf[(from + k) & (N - 1)], r);
        ++count;
      }
    }
  }
}

// Reads up to Count bytes from the bound input stream.
void TLZH::ReadFromInput(void* Buffer, uint16_t Count, uint16_t& Actual) {
  assert(FInput);
  const int64_t left = FInput->Remaining();
  const int64_t wanted = left < Count ? (left > 0 ? left : 0) : Count;
  Actual = static_cast<uint16_t>(FInput->Read(Buffer, static_cast<size_t>(wanted)));
}

// Writes Count bytes to the bound output stream.
void TLZH::WriteToOutput(void* Buffer, uint16_t Count, uint16_t& Actual) {
  assert(FOutput);
  FOutput->WriteBuffer(Buffer, Count);
  Actual = Count;
}

// Reads the unpacked size, then decompresses the rest of Source into Dest.
void Unpack(TStream& Source, TStream& Dest) {
  TLZH lzh(&Source, &Dest);
  Source.SetPosition(0);
  Dest.SetPosition(0);
  uint8_t sizeBytes[4] = {0, 0, 0, 0};
  Source.Read(sizeBytes, sizeof sizeBytes);
  const uint32_t unpackedSize =
      static_cast<uint32_t>(sizeBytes[0]) | static_cast<uint32_t>(sizeBytes[1]) << 8 |
      static_cast<uint32_t>(sizeBytes[2]) << 16 | static_cast<uint32_t>(sizeBytes[3]) << 24;
  // A skin-sized archive is given its memory at once rather than grown byte
  // by byte (which holds up to twice its size while the block moves).
  if (auto* memory = dynamic_cast<TMemoryStream*>(&Dest);
      memory && unpackedSize <= SkinLimits::MaxArchiveSize) {
    memory->SetSize(unpackedSize);
    memory->SetPosition(0);
  }
  lzh.LZHUnpack(unpackedSize, &TLZH::ReadFromInput, &TLZH::WriteToOutput);
}
