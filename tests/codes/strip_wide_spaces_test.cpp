#include "codes/strip_wide_spaces.h"

#include <gtest/gtest.h>

#include "codes/cp932.h"

namespace codes {
namespace {

TEST(StripWideSpaces, RemovesOnlyFullWidthSpaces) {
  EXPECT_EQ(StripWideSpaces(Sj("　サラ系３歳　　　")), Sj("サラ系３歳"));
  EXPECT_EQ(StripWideSpaces(Sj("G1 　 A")), "G1  A");
  EXPECT_EQ(StripWideSpaces(Sj("　　")), "");
  EXPECT_EQ(StripWideSpaces(""), "");
}

TEST(StripWideSpaces, DoesNotCutAcrossCharacters) {
  // "メ@" is 83 81 40: its middle bytes look like a full-width space.
  EXPECT_EQ(StripWideSpaces(Sj("メ@")), Sj("メ@"));
  EXPECT_EQ(StripWideSpaces(Sj("　メ@　")), Sj("メ@"));
  // A lone lead byte at the end is kept as it is.
  EXPECT_EQ(StripWideSpaces("A\x81"), "A\x81");
}

}  // namespace
}  // namespace codes
