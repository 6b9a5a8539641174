#include "codes/cell_format.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Printf(double value, int width, int precision) {
  char text[512];
  std::snprintf(text, sizeof text, "%*.*f", width, precision, value);
  return text;
}

// Odds and ranking keys take a shorter road for whole tenths; every cell must still read
// exactly as printf writes it.
TEST(FormatFixedTest, WholeTenthsReadAsPrintfWritesThem) {
  for (long long tenths = 0; tenths <= 10'000'000; tenths += tenths < 100'000 ? 1 : 9'973) {
    const double value = static_cast<double>(tenths) / 10;
    for (const int width : {4, 7, 9}) {
      ASSERT_EQ(codes::FormatFixed(value, width, 1), Printf(value, width, 1)) << tenths;
    }
  }
}

TEST(FormatFixedTest, OtherValuesReadAsPrintfWritesThem) {
  const double values[] = {
      1.25,  1.05,  0.15,    2.675,   0.05,  12.34, 1e15, 1e16,  123456789012345.6, -1.0, -2.0,
      -0.05, -12.3, 1.0 / 3, 2.0 / 3, 99.95, 0.0,   -0.0, 1e-300};
  for (const double value : values) {
    for (const int precision : {0, 1, 2}) {
      EXPECT_EQ(codes::FormatFixed(value, 6, precision), Printf(value, 6, precision))
          << value << " precision " << precision;
    }
  }
}

TEST(FormatIntTest, ReadsAsPrintfWritesIt) {
  for (long long value = -1200; value <= 1'200'000; value += value < 1200 ? 1 : 997) {
    char text[32];
    std::snprintf(text, sizeof text, "%6lld", value);
    ASSERT_EQ(codes::FormatInt(value, 6), text) << value;
  }
}

}  // namespace
