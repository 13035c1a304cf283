// File streams beyond the 2 GB a 32-bit offset can reach.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "ui/Streams.h"

TEST(FileStream, PositionsAndSizeBeyondTwoGigabytes) {
  const std::string name = (std::filesystem::temp_directory_path() / "quorvel-large-stream.bin").string();
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
