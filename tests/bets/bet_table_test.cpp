#include "bets/bet_table.h"

#include <gtest/gtest.h>

#include "codes/cp932.h"
#include "codes/errors.h"

namespace bets {
namespace {

using codes::BetType;

std::vector<std::string> Utf8(const std::vector<std::string>& sjis) {
  std::vector<std::string> texts;
  for (const std::string& s : sjis) texts.push_back(codes::SjisToUtf8(s));
  return texts;
}

TEST(BetTable, PairLayoutHeadersAndWidths) {
  const BetTable table(BetType::UT);
  EXPECT_EQ(Utf8(table.Row(0)),
            (std::vector<std::string>{"消", "No.", "買い目", "オッズ", "人気", "連人気", "購入額",
                                      "回収額", "回収率", "出現率1", "出現率2", "結果配当",
                                      "結果回収", "結果人気"}));
  std::vector<int> widths;
  for (int col = 0; col < table.ColCount(); ++col) widths.push_back(table.ColWidth(col));
  EXPECT_EQ(widths, (std::vector<int>{20, 30, 60, 60, 30, -1, 60, 60, 60, -1, -1, 60, 60, 60}));
  EXPECT_EQ(table.PayoutCol(), 11);
  EXPECT_EQ(table.ResultPopularityCol(), 13);
  EXPECT_EQ(table.NoWidth(), 3);
}

TEST(BetTable, TripleLayoutHeadersAndWidths) {
  const BetTable trio(BetType::SRF);
  const BetTable trifecta(BetType::SRT);
  EXPECT_EQ(Utf8(trio.Row(0))[11], "出現率3");
  EXPECT_EQ(Utf8(trio.Row(0))[12], "結果配当");
  std::vector<int> trio_widths;
  std::vector<int> trifecta_widths;
  for (int col = 0; col < 15; ++col) {
    trio_widths.push_back(trio.ColWidth(col));
    trifecta_widths.push_back(trifecta.ColWidth(col));
  }
  EXPECT_EQ(trio_widths,
            (std::vector<int>{20, 30, 60, 60, 30, -1, 60, 60, 60, -1, -1, -1, 60, 60, 60}));
  EXPECT_EQ(trifecta_widths,
            (std::vector<int>{20, 30, 60, 60, 30, -1, 60, 70, 70, -1, -1, -1, 60, 60, 60}));
  EXPECT_EQ(trio.PayoutCol(), 12);
  EXPECT_EQ(trio.NoWidth(), 4);
}

TEST(BetTable, StartsWithOneEmptyRowAndChecksItsBounds) {
  BetTable table(BetType::UR);
  EXPECT_EQ(table.RowCount(), 2);
  EXPECT_FALSE(table.IsLive(1));
  EXPECT_THROW(table.Cell(2, 0), codes::LogicError);
  EXPECT_THROW(table.SetCell(1, 14, "x"), codes::LogicError);
  EXPECT_THROW(table.SetRow(1, std::vector<std::string>(15)), codes::LogicError);
  EXPECT_THROW(BetTable{BetType::WD}, codes::LogicError);
}

// Rows dropped by a smaller count come back empty when the table grows again, whether
// they were dropped a moment ago or long before; the header row is never touched.
TEST(BetTable, RowsBeyondTheCountAreGoneAndComeBackEmpty) {
  BetTable table(BetType::SRT);
  table.SetRowCount(6);
  for (int row = 1; row < 6; ++row) table.SetCell(row, kCombCol, "x" + std::to_string(row));
  table.SetRowCount(3);
  EXPECT_THROW(table.Cell(3, kCombCol), codes::LogicError);
  table.SetRowCount(2);
  table.SetRowCount(8);
  EXPECT_EQ(table.Cell(1, kCombCol), "x1");
  for (int row = 2; row < 8; ++row) {
    EXPECT_EQ(table.Row(row), std::vector<std::string>(static_cast<size_t>(table.ColCount())))
        << row;
  }
  const std::vector<std::string> header = table.Row(0);
  table.SetRowCount(1);
  table.SetRowCount(2);
  EXPECT_EQ(table.Row(0), header);
  EXPECT_EQ(table.Cell(1, kCombCol), "");
}

TEST(BetTable, LiveAndExcludedRows) {
  BetTable table(BetType::UR);
  table.SetCell(1, kNoCol, "  1");
  EXPECT_TRUE(table.IsLive(1));
  EXPECT_FALSE(table.IsExcluded(1));
  table.SetCell(1, kExclusionCol, codes::Sj("消"));
  EXPECT_TRUE(table.IsExcluded(1));
  table.SetCell(1, kExclusionCol, codes::Sj("消 "));  // only exactly the mark excludes
  EXPECT_FALSE(table.IsExcluded(1));
  table.SetCell(1, kNoCol, "   ");
  EXPECT_FALSE(table.IsLive(1));
}

TEST(BetTables, HoldsTheFourTablesOfThePage) {
  BetTables tables;
  for (BetType type : BetTables::kOrder) EXPECT_EQ(tables.Table(type).Type(), type);
  EXPECT_THROW(tables.Table(BetType::Tan), codes::LogicError);
  EXPECT_EQ(codes::SjisToUtf8(BetTypeName(BetType::SRF)), "３連複");
}

}  // namespace
}  // namespace bets
