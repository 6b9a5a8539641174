#include "codes/cp932.h"

#include <gtest/gtest.h>

#include "codes/errors.h"

namespace codes {
namespace {

TEST(Cp932, FullWidthTextTakesTwoBytesACharacter) {
  std::string s = Utf8ToSjis("2004年05月16日");
  EXPECT_EQ(s.size(), 14u);
  EXPECT_EQ(SjisToUtf8(s), "2004年05月16日");
}

TEST(Cp932, HalfWidthKatakanaTakesOneByte) {
  EXPECT_EQ(Utf8ToSjis("ﾜｲﾄﾞ").size(), 4u);
}

TEST(Cp932, BracketsOfTheSettingsFileConvert) {
  EXPECT_EQ(Utf8ToSjis("｢｣"), std::string("\xA2\xA3"));
}

TEST(Cp932, RejectsABrokenLeadByte) {
  EXPECT_THROW(SjisToUtf8(std::string("\x82", 1)), InputError);
  EXPECT_EQ(SjisToUtf8Lenient(std::string("A\x82", 2)), "A?");
}

}  // namespace
}  // namespace codes
