#include "codes/race_symbol_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "codes/cp932.h"
#include "support/case_name.h"

namespace codes {
namespace {

struct SymbolCase {
  const char* code;
  const char* utf8;
};
void PrintTo(const SymbolCase& c, std::ostream* os) { *os << '"' << c.code << '"'; }

class RaceSymbolTextTest : public ::testing::TestWithParam<SymbolCase> {};

TEST_P(RaceSymbolTextTest, BuildsAndFillsTo24Bytes) {
  EXPECT_EQ(RaceSymbolText(GetParam().code), Sj(GetParam().utf8)) << GetParam().code;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Codes, RaceSymbolTextTest, ::testing::Values(
    SymbolCase{"000", "　　　　　　　　　　　　"},
    SymbolCase{"A24", "(混合)牝(特指)　　　　　"},
    SymbolCase{"K01", "(市)(抽)関西配布馬(指定)"},
    SymbolCase{"L03", "(市)(抽)関東配布馬[指定]"},
    SymbolCase{"A02", "(混合)・若手騎手　　　　"},
    SymbolCase{"002", "若手騎手　　　　　　　　"},
    SymbolCase{"034", "牡・ｾﾝ(特指)　　　　　　"},
    SymbolCase{"N44", "(国際)牡・牝(特指)　　　"},
    SymbolCase{"M00", "九州産馬　　　　　　　　"},
    SymbolCase{"B01", "(父)(指定)　　　　　　　"},
    // not in the list although the rule could build them, or malformed
    SymbolCase{"A43", "　　　　　　　　　　　　"},
    SymbolCase{"B02", "　　　　　　　　　　　　"},
    SymbolCase{"a24", "　　　　　　　　　　　　"},
    SymbolCase{"A2",  "　　　　　　　　　　　　"},
    SymbolCase{"A240", "　　　　　　　　　　　　"},
    SymbolCase{"",    "　　　　　　　　　　　　"}),
    testsupport::PrintedCaseName());
// clang-format on

TEST(RaceSymbolText, IsAlways24Bytes) {
  const std::string first = "0ABCDEFGHIJKLMNOPZ";
  const std::string digits = "0123456789";
  for (char a : first) {
    for (char b : digits) {
      for (char c : digits) {
        const std::string code{a, b, c};
        EXPECT_EQ(RaceSymbolText(code).size(), 24u) << code;
      }
    }
  }
}

}  // namespace
}  // namespace codes
