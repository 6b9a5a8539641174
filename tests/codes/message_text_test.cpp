#include "codes/message_text.h"

#include <gtest/gtest.h>

#include "codes/cp932.h"

namespace codes {
namespace {

struct MessageCase {
  const char* name;
  std::string utf8;
  std::string shown;  // UTF-8 of what the Shift-JIS text shows
};

class SjisMessageTextTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(SjisMessageTextTest, ConvertsOrFallsBackToPrintableAscii) {
  EXPECT_EQ(SjisToUtf8(SjisMessageText(GetParam().utf8)), GetParam().shown);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, SjisMessageTextTest, ::testing::Values(
    MessageCase{"Ascii",         "Data/x.jvRA: record 2",  "Data/x.jvRA: record 2"},
    MessageCase{"Japanese",      "2024年05月18日東京.jvSEr", "2024年05月18日東京.jvSEr"},
    // a character without a Shift-JIS form: the whole text falls back, byte by byte
    MessageCase{"NoSjisForm",    "a\xF0\x9F\x98\x80" "b",  "a????b"},
    MessageCase{"BrokenUtf8",    "odds \xFF" "1",          "odds ?1"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(PrintableAsciiTest, EveryOtherByteBecomesAQuestionMark) {
  EXPECT_EQ(PrintableAscii(std::string("O1\r\n\x01\x7f~ \x82\xa0", 10)), "O1????~ ??");
}

}  // namespace
}  // namespace codes
