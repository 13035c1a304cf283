// Streams at the edges of their range: files beyond 2 GB, far seeks in memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "ui/Streams.h"

TEST(FileStream, PositionsAndSizeBeyondTwoGigabytes) {
  const std::string name =
      (std::filesystem::temp_directory_path() / "quorvel-large-stream.bin").string();
  const int64_t far = (int64_t{3} << 30) + 5;  // 3 GB and a bit: the file is sparse
  {
    TFileStream f(name, TFileMode::Create);
    EXPECT_EQ(f.Seek(far, TSeekOrigin::Beginning), far);
    const uint8_t byte = 0x5A;
    f.WriteBuffer(&byte, 1);
    EXPECT_EQ(f.Size(), far + 1);
  }
  {
    TFileStream f(name, TFileMode::OpenRead);
    EXPECT_EQ(f.Size(), far + 1);
    EXPECT_EQ(f.Seek(-1, TSeekOrigin::End), far);
    uint8_t byte = 0;
    f.ReadBuffer(&byte, 1);
    EXPECT_EQ(byte, 0x5A);
  }
  std::remove(name.c_str());
}

TEST(MemoryStream, FarSeeksStayInRangeAndWritesThereFail) {
  TMemoryStream s(std::vector<uint8_t>(10, 7));
  s.Seek(5, TSeekOrigin::Beginning);
  EXPECT_GT(s.Seek(INT64_MAX, TSeekOrigin::Current), 10);
  uint8_t byte = 0;
  EXPECT_EQ(s.Read(&byte, 1), 0u);
  EXPECT_THROW(s.WriteBuffer(&byte, 1), EWriteError);
  EXPECT_EQ(s.Size(), 10);
  EXPECT_EQ(s.Seek(INT64_MIN, TSeekOrigin::End), 0);

  const uint8_t data[4] = {1, 2, 3, 4};
  TReadOnlyMemoryStream r(data, sizeof data);
  r.Seek(3, TSeekOrigin::Beginning);
  EXPECT_EQ(r.Seek(INT64_MAX, TSeekOrigin::Current), 4);
  EXPECT_EQ(r.Seek(INT64_MIN, TSeekOrigin::Current), 0);
}
