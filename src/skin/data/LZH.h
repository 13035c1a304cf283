// LZHUF decompression of skin files: a 4-byte little-endian unpacked size
// followed by an LZSS bit stream whose literals and match lengths are coded by
// an adaptive Huffman tree. The program only ever decompresses.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/Streams.h"
#include "ui/SysUtils.h"

// Raised when the decompressor cannot get or give back its working tables.
class ElzhException : public Exception {
public:
  using Exception::Exception;
};

namespace LzhMsg {
// Raised when the tables cannot be allocated.
extern const char* const CannotGetMemory;  // "LZH : Cannot get memory for dictionary tables"
// The message for a failed release; giving vectors back cannot fail here.
extern const char* const CannotFreeMemory;  // "LZH : Error freeing memory for dictionary tables"
}  // namespace LzhMsg

// One decompression: bind the input and output streams, then call LZHUnpack.
class TLZH {
public:
  // Byte transfer callback: moves up to Count bytes, reports how many in Actual.
  using TTransferProc = void (TLZH::*)(void* Buffer, uint16_t Count, uint16_t& Actual);

  // Ring buffer size, longest match, shortest-match offset and tree sizes.
  static constexpr int N = 4096;
  static constexpr int F = 60;
  static constexpr int THRESHOLD = 2;
  static constexpr int N_CHAR = 256 - THRESHOLD + F;
  static constexpr int T = N_CHAR * 2 - 1;
  static constexpr int R = T - 1;
  static constexpr unsigned MAX_FREQ = 0x8000;

  // Binds the streams used by the stream adaptors (either may be null
  // when the caller supplies its own callbacks).
  TLZH(TStream* Input, TStream* Output);

  // Produces exactly UnpackedSize bytes, one WriteProc call per byte.
  void LZHUnpack(uint32_t UnpackedSize, TTransferProc ReadProc, TTransferProc WriteProc);

  // Stream adaptor: reads min(Count, bytes left in the input) bytes.
  void ReadFromInput(void* Buffer, uint16_t Count, uint16_t& Actual);
  // Stream adaptor: writes Count bytes to the output and reports Count.
  void WriteToOutput(void* Buffer, uint16_t Count, uint16_t& Actual);

private:
  void InitTables();
  void FreeTables();
  void StartHuff();
  void Reconstruct();
  void Update(int Symbol);
  unsigned GetBit();
  unsigned GetByte();
  void FillBitBuffer();
  int DecodeChar();
  int DecodePosition();
  void PutByte(uint8_t Byte, unsigned& Pos);

  TStream* FInput;
  TStream* FOutput;
  TTransferProc FReadProc = nullptr;
  TTransferProc FWriteProc = nullptr;

  // Bit input.
  uint16_t GetBuf = 0;
  uint8_t GetLen = 0;

  // Tables, alive only during LZHUnpack.
  std::vector<uint8_t> TextBuf;  // N + F - 1 bytes: the sliding window
  std::vector<uint16_t> Freq;    // T + 1 node weights, Freq[T] a sentinel
  std::vector<uint16_t> Prnt;    // T + N_CHAR parents; leaf k's parent at Prnt[T + k]
  std::vector<uint16_t> Son;     // T children; a value >= T is the leaf for value - T
};

// Decompresses a skin file from Source (read from position 0) into Dest
// (written from position 0). A source shorter than the 4-byte size reads
// the missing size bytes as 0.
void Unpack(TStream& Source, TStream& Dest);
