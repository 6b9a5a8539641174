#include "codes/course_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "codes/cp932.h"
#include "support/case_name.h"

namespace codes {
namespace {

struct CourseCase {
  const char* code;
  const char* utf8;
};
void PrintTo(const CourseCase& c, std::ostream* os) { *os << '"' << c.code << '"'; }

class CourseTextTest : public ::testing::TestWithParam<CourseCase> {};

TEST_P(CourseTextTest, NamesTheCourse) {
  EXPECT_EQ(CourseText(GetParam().code), Sj(GetParam().utf8)) << GetParam().code;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Codes, CourseTextTest, ::testing::Values(
    CourseCase{"01", "札幌"}, CourseCase{"07", "中京"}, CourseCase{"10", "小倉"},
    CourseCase{"58", "札幌"}, CourseCase{"61", "中京"}, CourseCase{"A0", "他外"},
    CourseCase{"C7", "ア首"}, CourseCase{"I4", "チェ"}, CourseCase{"I6", "チェ"},
    CourseCase{"M6", "約  "}, CourseCase{"M8", "華  "},
    // reserved and unlisted codes, and codes that only look alike
    CourseCase{"C4", "    "}, CourseCase{"F4", "    "}, CourseCase{"F6", "    "},
    CourseCase{"G4", "    "}, CourseCase{"G6", "    "}, CourseCase{"G8", "    "},
    CourseCase{"00", "    "}, CourseCase{"11", "    "}, CourseCase{"62", "    "},
    CourseCase{"a0", "    "}, CourseCase{"7",  "    "}, CourseCase{" 7", "    "},
    CourseCase{"07 ", "    "}, CourseCase{"",  "    "}),
    testsupport::PrintedCaseName());
// clang-format on

// The runner files are named after the course, so every code, listed or not, must give
// exactly four bytes.
TEST(CourseText, IsAlwaysFourBytes) {
  const std::string symbols = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (char a : symbols) {
    for (char b : symbols) {
      const std::string code{a, b};
      EXPECT_EQ(CourseText(code).size(), 4u) << code;
    }
  }
}

}  // namespace
}  // namespace codes
