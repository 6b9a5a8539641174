#include "codes/pad_int_text.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/case_name.h"

namespace codes {
namespace {

struct PadCase {
  const char* field;
  const char* text;
};
void PrintTo(const PadCase& c, std::ostream* os) { *os << '"' << c.field << '"'; }

class PadIntTextTest : public ::testing::TestWithParam<PadCase> {};

TEST_P(PadIntTextTest, RightAlignsInTheFieldWidth) {
  EXPECT_EQ(PadIntText(GetParam().field), GetParam().text) << '"' << GetParam().field << '"';
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fields, PadIntTextTest, ::testing::Values(
    PadCase{"03", " 3"},   PadCase{"00", "  "},     PadCase{"000", "   "},
    PadCase{"005", "  5"}, PadCase{"5 ", " 5"},     PadCase{"12", "12"},
    PadCase{"  ", "  "},   PadCase{"ab", "  "},     PadCase{"", ""},
    PadCase{"-3", "-3"},   PadCase{"0-3", "   "},   PadCase{"0012", "  12"}),
    testsupport::PrintedCaseName());
// clang-format on

}  // namespace
}  // namespace codes
