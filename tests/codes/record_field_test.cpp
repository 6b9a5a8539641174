#include "codes/record_field.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

namespace codes {
namespace {

struct NumericCase {
  const char* text;
  long long value;
};

class NumericValueTest : public ::testing::TestWithParam<NumericCase> {};

TEST_P(NumericValueTest, ReadsLikeTheRecordFields) {
  EXPECT_EQ(NumericValue(GetParam().text), GetParam().value);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fields, NumericValueTest, ::testing::Values(
    NumericCase{"005", 5}, NumericCase{"5 ", 5}, NumericCase{"  12", 12},
    NumericCase{"", 0}, NumericCase{"    ", 0}, NumericCase{"-3", -3},
    NumericCase{"+7x", 7}, NumericCase{"12a4", 12}, NumericCase{"--", 0},
    NumericCase{" 0123", 123}),
    testsupport::CaseNameOf(&NumericCase::text));
// clang-format on

TEST(Field, CutsAtTheEndOfTheRecord) {
  EXPECT_EQ(Field("ABCDEF", 2, 3), "BCD");
  EXPECT_EQ(Field("ABCDEF", 5, 9), "EF");
  EXPECT_EQ(Field("ABCDEF", 9, 2), "");
  EXPECT_EQ(FieldInt("RA1 0042", 5, 4), 42);
}

}  // namespace
}  // namespace codes
