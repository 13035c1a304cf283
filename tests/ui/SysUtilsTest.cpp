// Text helpers: number conversion and the code page conversions.
#include <gtest/gtest.h>

#include <cstdint>

#include "ui/SysUtils.h"

TEST(SysUtils, Utf8ToAnsiReplacesOnlyTheMalformedBytes) {
  EXPECT_EQ(Utf8ToAnsi("caf\xC3\xA9"), "caf\xE9");
  EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC 5"), "\x80 5");
  // A Latin-1 byte in the middle and one cut short at the end: what follows stays.
  EXPECT_EQ(Utf8ToAnsi("caf\xE9 ok"), "caf? ok");
  EXPECT_EQ(Utf8ToAnsi("caf\xE9\n"), "caf?\n");
  EXPECT_EQ(Utf8ToAnsi("x\xF0\x9F"), "x??");
}

TEST(SysUtils, TryStrToIntTakesWholeTextsInRange) {
  int32_t v = 0;
  EXPECT_TRUE(TryStrToInt("-2147483648", v));
  EXPECT_EQ(v, INT32_MIN);
  EXPECT_FALSE(TryStrToInt("2147483648", v));
  EXPECT_TRUE(TryStrToInt("$FFFFFFFF", v));
  EXPECT_EQ(v, -1);
  EXPECT_FALSE(TryStrToInt("$100000000", v));
  EXPECT_FALSE(TryStrToInt("12 ", v));
  EXPECT_FALSE(TryStrToInt("-", v));
}
