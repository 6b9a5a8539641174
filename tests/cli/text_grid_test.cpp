#include "text_grid.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "codes/errors.h"

namespace {

struct WidthCase {
  const char* text;
  int width;
};

// The case as test names and messages show it.
[[maybe_unused]] void PrintTo(const WidthCase& c, std::ostream* os) {
  *os << "\"" << c.text << "\"";
}

// clang-format off
const WidthCase kWidths[] = {
  {"",            0},
  {" 1- 2",       5},
  {"馬連",        4},   // kanji
  {"３連複",      6},   // full-width digit
  {"ｵｯｽﾞ",        4},   // half-width katakana stay narrow
  {"　",          2},   // ideographic space
  {"消 1",        4},
  {"ロジックＢ",  10},
  {"【本 賞 金】", 12},
  {"\xE9",        1},   // a cut sequence counts as one narrow character
};
// clang-format on

class DisplayWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(DisplayWidthTest, CountsTerminalColumns) {
  EXPECT_EQ(cli::DisplayWidth(GetParam().text), GetParam().width) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, DisplayWidthTest, ::testing::ValuesIn(kWidths),
                         [](const auto& info) { return "text" + std::to_string(info.index); });

TEST(TextGridTest, AlignsWideAndNarrowTextsByDisplayWidth) {
  using Align = cli::TextGrid::Align;
  cli::TextGrid grid({{"消", Align::kLeft}, {"買い目", Align::kLeft}, {"オッズ", Align::kRight}});
  grid.AddRow({"消", " 1- 2", "   10.1"});
  grid.AddRow({"", "12-13"});  // a short row: the rest empty, trailing blanks cut
  EXPECT_EQ(grid.Text(">"),
            ">消  買い目   オッズ\n"
            ">消   1- 2      10.1\n"
            ">    12-13\n");
  EXPECT_THROW(grid.AddRow({"1", "2", "3", "4"}), codes::LogicError);
}

}  // namespace
