// Byte streams: memory and file streams.
#include "ui/Streams.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

// The size, found by seeking to the end and back.
int64_t TStream::GetSize() {
  const int64_t pos = Seek(0, TSeekOrigin::Current);
  const int64_t size = Seek(0, TSeekOrigin::End);
  Seek(pos, TSeekOrigin::Beginning);
  return size;
}

// Streams that cannot change size ignore the request.
void TStream::SetSize(int64_t) {}

// Reads exactly count bytes or raises EReadError.
void TStream::ReadBuffer(void* buffer, size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(Msg::ReadError);
}

// Writes exactly count bytes or raises EWriteError.
void TStream::WriteBuffer(const void* buffer, size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(Msg::WriteError);
}

// Copies count bytes from source; count 0 copies the whole source from its start.
int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  int64_t left = count;
  uint8_t buf[8192];
  while (left > 0) {
    const size_t n = static_cast<size_t>(std::min<int64_t>(left, sizeof buf));
    source.ReadBuffer(buf, n);
    WriteBuffer(buf, n);
    left -= static_cast<int64_t>(n);
  }
  return count;
}

namespace {
// base + offset kept within [0, limit], without overflowing (base >= 0).
int64_t SeekTarget(int64_t base, int64_t offset, int64_t limit) {
  if (offset > 0 && offset > limit - std::min(base, limit)) return limit;
  return std::clamp<int64_t>(base + offset, 0, limit);
}
}  // namespace

// Reads up to count bytes from the position.
size_t TMemoryStream::Read(void* buffer, size_t count) {
  if (FPosition >= FData.size()) return 0;
  const size_t n = std::min(count, FData.size() - FPosition);
  std::memcpy(buffer, FData.data() + FPosition, n);
  FPosition += n;
  return n;
}

// Writes count bytes at the position, growing the block as needed.
size_t TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return 0;
  // Past what a block can hold: nothing is written (WriteBuffer raises).
  if (FPosition > FData.max_size() || count > FData.max_size() - FPosition) return 0;
  if (FPosition + count > FData.size()) FData.resize(FPosition + count);
  std::memcpy(FData.data() + FPosition, buffer, count);
  FPosition += count;
  return count;
}

// Moves the position (never below 0; beyond the end is allowed, as for files).
int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = 0;
  if (origin == TSeekOrigin::Current) base = static_cast<int64_t>(FPosition);
  if (origin == TSeekOrigin::End) base = static_cast<int64_t>(FData.size());
  // Never past what size_t can count (32 bits on Windows).
  const int64_t limit = static_cast<int64_t>(std::min<uint64_t>(SIZE_MAX, INT64_MAX));
  const int64_t pos = SeekTarget(base, offset, limit);
  FPosition = static_cast<size_t>(pos);
  return pos;
}

// Resizes the block; the position is kept within it.
void TMemoryStream::SetSize(int64_t size) {
  FData.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
  if (FPosition > FData.size()) FPosition = FData.size();
}

// Empties the stream.
void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

// Replaces the content with the whole of source.
void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  const int64_t size = source.Size();
  FData.resize(static_cast<size_t>(size));
  FPosition = 0;
  if (size > 0) source.ReadBuffer(FData.data(), FData.size());
}

// Writes the whole content to dest.
void TMemoryStream::SaveToStream(TStream& dest) { dest.WriteBuffer(FData.data(), FData.size()); }

// Replaces the content with a file's bytes.
void TMemoryStream::LoadFromFile(const std::string& fileName) {
  FData = ReadFileBytes(fileName);
  FPosition = 0;
}

// Writes the content to a file.
void TMemoryStream::SaveToFile(const std::string& fileName) { WriteFileBytes(fileName, FData); }

// Reads up to count bytes from the position.
size_t TReadOnlyMemoryStream::Read(void* buffer, size_t count) {
  if (FPosition >= FSize) return 0;
  const size_t n = std::min(count, FSize - FPosition);
  std::memcpy(buffer, FData + FPosition, n);
  FPosition += n;
  return n;
}

// A read-only stream takes nothing.
size_t TReadOnlyMemoryStream::Write(const void*, size_t) { return 0; }

// Moves the position within [0, size].
int64_t TReadOnlyMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = 0;
  if (origin == TSeekOrigin::Current) base = static_cast<int64_t>(FPosition);
  if (origin == TSeekOrigin::End) base = static_cast<int64_t>(FSize);
  const int64_t pos = SeekTarget(base, offset, static_cast<int64_t>(FSize));
  FPosition = static_cast<size_t>(pos);
  return pos;
}

// Opens a file for reading, or creates (truncates) it for writing.
TFileStream::TFileStream(const std::string& fileName, TFileMode mode) {
  FFile = std::fopen(fileName.c_str(), mode == TFileMode::OpenRead ? "rb" : "w+b");
  if (!FFile) throw EFOpenError(Format(Msg::FOpenError, fileName.c_str()));
}

// Closes the file.
TFileStream::~TFileStream() {
  if (FFile) std::fclose(FFile);
}

// Reads up to count bytes.
size_t TFileStream::Read(void* buffer, size_t count) { return std::fread(buffer, 1, count, FFile); }

// Writes up to count bytes.
size_t TFileStream::Write(const void* buffer, size_t count) {
  return std::fwrite(buffer, 1, count, FFile);
}

// Moves the file position (64-bit offsets: a long is 32 bits on Windows).
int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int whence = origin == TSeekOrigin::Beginning ? SEEK_SET
                     : origin == TSeekOrigin::Current ? SEEK_CUR
                                                      : SEEK_END;
#ifdef _WIN32
  if (_fseeki64(FFile, offset, whence) != 0) return -1;
  return _ftelli64(FFile);
#else
  if (fseeko(FFile, static_cast<off_t>(offset), whence) != 0) return -1;
  return ftello(FFile);
#endif
}

// The whole content of a file (raises EFOpenError when it cannot be opened).
std::vector<uint8_t> ReadFileBytes(const std::string& fileName) {
  TFileStream f(fileName, TFileMode::OpenRead);
  const int64_t size = f.Size();
  // A size that cannot be measured or held is an error, not an empty file.
  if (size < 0 || static_cast<uint64_t>(size) > SIZE_MAX) throw EReadError(Msg::ReadError);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  f.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

// Creates or replaces a file with the given bytes.
void WriteFileBytes(const std::string& fileName, const std::vector<uint8_t>& bytes) {
  TFileStream f(fileName, TFileMode::Create);
  f.WriteBuffer(bytes.data(), bytes.size());
}

// True when a file of that name can be opened for reading.
bool FileExists(const std::string& fileName) {
  std::FILE* f = std::fopen(fileName.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}
