#include "bets/bet_table.h"

#include <algorithm>
#include <array>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/record_field.h"

namespace bets {
namespace {

struct Column {
  const char* header;  // UTF-8; converted once per table kind
  int width;
};

// clang-format off
constexpr std::array<Column, 14> kPairColumns{{
    {"消", 20}, {"No.", 30}, {"買い目", 60}, {"オッズ", 60}, {"人気", 30},
    {"連人気", kHiddenWidth}, {"購入額", 60}, {"回収額", 60}, {"回収率", 60},
    {"出現率1", kHiddenWidth}, {"出現率2", kHiddenWidth},
    {"結果配当", 60}, {"結果回収", 60}, {"結果人気", 60}}};

constexpr std::array<Column, 15> kTripleColumns{{
    {"消", 20}, {"No.", 30}, {"買い目", 60}, {"オッズ", 60}, {"人気", 30},
    {"連人気", kHiddenWidth}, {"購入額", 60}, {"回収額", 60}, {"回収率", 60},
    {"出現率1", kHiddenWidth}, {"出現率2", kHiddenWidth}, {"出現率3", kHiddenWidth},
    {"結果配当", 60}, {"結果回収", 60}, {"結果人気", 60}}};
// clang-format on

// The trifecta table shows its return and rate columns wider.
constexpr int kTrifectaWideWidth = 70;

BetLayout LayoutOf(codes::BetType type) {
  switch (type) {
    case codes::BetType::UR:
    case codes::BetType::UT:
      return BetLayout::Pair;
    case codes::BetType::SRF:
    case codes::BetType::SRT:
      return BetLayout::Triple;
    default:
      throw codes::LogicError("a bet table exists only for 馬連, 馬単, ３連複 and ３連単");
  }
}

template <std::size_t N>
std::vector<std::string> HeaderRow(const std::array<Column, N>& columns) {
  std::vector<std::string> row;
  for (const Column& c : columns) row.push_back(codes::Sj(c.header));
  return row;
}

const std::vector<std::string>& HeaderOf(BetLayout layout) {
  static const std::vector<std::string> kPair = HeaderRow(kPairColumns);
  static const std::vector<std::string> kTriple = HeaderRow(kTripleColumns);
  return layout == BetLayout::Pair ? kPair : kTriple;
}

}  // namespace

void BetSummary::ClearTexts() {
  count.text.clear();
  total.text.clear();
  expected.text.clear();
  returned.text.clear();
}

BetTable::BetTable(codes::BetType type) : type_(type), layout_(LayoutOf(type)) {
  rows_.push_back(HeaderOf(layout_));
  row_count_ = 1;
  SetRowCount(2);
}

int BetTable::ColCount() const {
  return layout_ == BetLayout::Pair ? static_cast<int>(kPairColumns.size())
                                    : static_cast<int>(kTripleColumns.size());
}

void BetTable::SetRowCount(int count) {
  // Above the 307 rows a fill makes, so that the allocation's own guard stays testable.
  codes::CheckIndex(count, 1, codes::CombCount(codes::BetType::SRT) + 1, "bet table row count");
  const auto kept = std::min(rows_.size(), static_cast<std::size_t>(count));
  for (auto row = static_cast<std::size_t>(row_count_); row < kept; ++row) {
    for (std::string& cell : rows_[row]) cell.clear();
  }
  if (static_cast<std::size_t>(count) > rows_.size()) {
    rows_.resize(static_cast<std::size_t>(count),
                 std::vector<std::string>(static_cast<std::size_t>(ColCount())));
  }
  row_count_ = count;
}

void BetTable::CheckRow(int row) const {
  codes::CheckIndex(row, 0, RowCount() - 1, "bet table row");
}

void BetTable::CheckCol(int col) const {
  codes::CheckIndex(col, 0, ColCount() - 1, "bet table column");
}

const std::string& BetTable::Cell(int row, int col) const {
  CheckRow(row);
  CheckCol(col);
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void BetTable::SetCell(int row, int col, std::string text) {
  CheckRow(row);
  CheckCol(col);
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = std::move(text);
}

const std::vector<std::string>& BetTable::Row(int row) const {
  CheckRow(row);
  return rows_[static_cast<std::size_t>(row)];
}

void BetTable::SetRow(int row, std::vector<std::string> cells) {
  CheckRow(row);
  if (static_cast<int>(cells.size()) != ColCount()) {
    throw codes::LogicError("a bet table row of " + std::to_string(cells.size()) + " cells where " +
                            std::to_string(ColCount()) + " were expected");
  }
  rows_[static_cast<std::size_t>(row)] = std::move(cells);
}

int BetTable::ColWidth(int col) const {
  CheckCol(col);
  if (type_ == codes::BetType::SRT && (col == kReturnCol || col == kRateCol)) {
    return kTrifectaWideWidth;
  }
  const auto at = static_cast<std::size_t>(col);
  return layout_ == BetLayout::Pair ? kPairColumns[at].width : kTripleColumns[at].width;
}

int BetTable::PayoutCol() const { return layout_ == BetLayout::Pair ? 11 : 12; }

int BetTable::NoWidth() const { return layout_ == BetLayout::Pair ? 3 : 4; }

bool BetTable::IsLive(int row) const { return !codes::IsBlank(Cell(row, kNoCol)); }

bool BetTable::IsExcluded(int row) const { return Cell(row, kExclusionCol) == ExclusionMark(); }

const std::string& ExclusionMark() {
  static const std::string kMark = codes::Sj("消");
  return kMark;
}

const std::string& BetTypeName(codes::BetType type) {
  static const std::string kUR = codes::Sj("馬連");
  static const std::string kUT = codes::Sj("馬単");
  static const std::string kSRF = codes::Sj("３連複");
  static const std::string kSRT = codes::Sj("３連単");
  switch (type) {
    case codes::BetType::UR:
      return kUR;
    case codes::BetType::UT:
      return kUT;
    case codes::BetType::SRF:
      return kSRF;
    case codes::BetType::SRT:
      return kSRT;
    default:
      throw codes::LogicError("no bet table name for this bet type");
  }
}

BetTables::BetTables() {
  for (codes::BetType type : kOrder) tables_.emplace_back(type);
}

int BetTables::Position(codes::BetType type) {
  for (int i = 0; i < 4; ++i) {
    if (kOrder[i] == type) return i;
  }
  throw codes::LogicError("the bet page has tables only for 馬連, 馬単, ３連複 and ３連単");
}

BetTable& BetTables::Table(codes::BetType type) {
  return tables_[static_cast<std::size_t>(Position(type))];
}

const BetTable& BetTables::Table(codes::BetType type) const {
  return tables_[static_cast<std::size_t>(Position(type))];
}

}  // namespace bets
