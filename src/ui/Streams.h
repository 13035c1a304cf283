// Byte streams: the abstract stream, memory streams and file streams.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/SysUtils.h"

enum class TSeekOrigin { Beginning, Current, End };

// A positioned sequence of bytes. Read/Write move as far as they can;
// ReadBuffer/WriteBuffer raise an error when they cannot move everything.
class TStream {
public:
  virtual ~TStream() = default;
  virtual size_t Read(void* buffer, size_t count) = 0;
  virtual size_t Write(const void* buffer, size_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  virtual int64_t GetSize();
  virtual void SetSize(int64_t size);

  int64_t Position() { return Seek(0, TSeekOrigin::Current); }
  void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::Beginning); }
  int64_t Size() { return GetSize(); }
  // Bytes left between the position and the end.
  int64_t Remaining() { return Size() - Position(); }

  // Reads exactly count bytes or raises EReadError.
  void ReadBuffer(void* buffer, size_t count);
  // Writes exactly count bytes or raises EWriteError.
  void WriteBuffer(const void* buffer, size_t count);
  // Copies count bytes from source (all of it from position 0 when count is 0).
  int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream over a growable block of memory that it owns.
class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : FData(std::move(bytes)) {}
  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() override { return static_cast<int64_t>(FData.size()); }
  void SetSize(int64_t size) override;

  void Clear();
  uint8_t* Memory() { return FData.data(); }
  const uint8_t* Memory() const { return FData.data(); }
  const std::vector<uint8_t>& Bytes() const { return FData; }
  void LoadFromStream(TStream& source);
  void SaveToStream(TStream& dest);
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);

private:
  std::vector<uint8_t> FData;
  size_t FPosition = 0;
};

// A stream over a read-only block of memory that it does not own.
class TReadOnlyMemoryStream : public TStream {
public:
  TReadOnlyMemoryStream(const void* data, size_t size)
      : FData(static_cast<const uint8_t*>(data)), FSize(size) {}
  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() override { return static_cast<int64_t>(FSize); }

private:
  const uint8_t* FData;
  size_t FSize;
  size_t FPosition = 0;
};

enum class TFileMode { OpenRead, Create };

// A stream over a file on disk (binary mode).
class TFileStream : public TStream {
public:
  TFileStream(const std::string& fileName, TFileMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
  std::FILE* FFile = nullptr;
};

// Whole-file helpers.
std::vector<uint8_t> ReadFileBytes(const std::string& fileName);
void WriteFileBytes(const std::string& fileName, const std::vector<uint8_t>& bytes);
bool FileExists(const std::string& fileName);
