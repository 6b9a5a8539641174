#include "screens/runner_grid.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "store/record_lengths.h"
#include "support/record_builder.h"

namespace {

using screens::RunnerColumn;

// The runner file's record of horse `horse` with the fields the grid shows.
std::string SeRecord(int horse, int bracket, const std::string& name_utf8, int finish = 0,
                     int popularity = 0) {
  std::string se = testsupport::RecordWithKey("SE", store::kSeLength, '7', "2024051805020311");
  testsupport::PutNumber(se, 28, 1, bracket);
  testsupport::PutNumber(se, 29, 2, horse);
  testsupport::Put(se, 41, codes::Sj(name_utf8));
  testsupport::Put(se, 79, "1");
  testsupport::Put(se, 83, "04");
  testsupport::Put(se, 307, codes::Sj("武豊　　"));
  if (finish > 0) testsupport::PutNumber(se, 335, 2, finish);
  if (popularity > 0) testsupport::PutNumber(se, 364, 2, popularity);
  return se;
}

std::vector<std::string> Utf8(const screens::RunnerRow& row) {
  std::vector<std::string> cells;
  for (const std::string& cell : row) cells.push_back(codes::SjisToUtf8(cell));
  return cells;
}

class RunnerGridTest : public ::testing::Test {
 protected:
  RunnerGridTest() : day_(std::make_unique<store::RaceDay>()) {}
  void Runner(int k, const std::string& se, double win, int win_rank, double place,
              int place_rank) {
    day_->SeRec[0][k].Assign(se);
    store::RaceWork& work = day_->Work[0];
    work.AsaWinOdds[k] = win;
    work.AsaWinRank[k] = win_rank;
    work.AsaPlaceLow[k] = place;
    work.AsaPlaceLowRank[k] = place_rank;
  }
  std::unique_ptr<store::RaceDay> day_;
};

TEST_F(RunnerGridTest, TheFavouriteShowsItsOddsAndOrderPositions) {
  // Ten full-width characters: the grid shows the first nine (18 bytes).
  Runner(0, SeRecord(1, 1, "アイウエオカキクケコ", 1, 2), 3.5, 1, 1.2, 1);
  EXPECT_EQ(Utf8(screens::RunnerRowOf(*day_, 0, 0)),
            (std::vector<std::string>{" 1", " 1", "アイウエオカキクケ", "武豊　　", "牡 4", "  3.5",
                                      " 1", "  1.2", " 1", " 1", " 2"}));
}

TEST_F(RunnerGridTest, ARunnerWithoutWinOrderShowsNoOddsAtAll) {
  // Scratched (win odds -1), and a runner with win odds but a blank place entry: neither
  // has a win order position.
  Runner(0, SeRecord(1, 1, "A"), -1, 0, -1, 0);
  Runner(1, SeRecord(2, 2, "B"), 8.4, 0, -2, 0);
  for (int k : {0, 1}) {
    const std::vector<std::string> cells = Utf8(screens::RunnerRowOf(*day_, 0, k));
    for (int c = 5; c <= 8; ++c) EXPECT_EQ(cells[static_cast<size_t>(c)], "　") << k << "," << c;
    EXPECT_EQ(cells[9], "　");  // not run yet: no finishing position
    EXPECT_EQ(cells[10], "　");
  }
}

TEST_F(RunnerGridTest, ARunnerMissingFromTheRunnerFileShowsZeroNumbers) {
  const std::vector<std::string> cells = Utf8(screens::RunnerRowOf(*day_, 0, 5));
  EXPECT_EQ(cells[0], " 0");
  EXPECT_EQ(cells[1], " 0");
  EXPECT_EQ(cells[2], std::string(18, ' '));
  EXPECT_EQ(cells[4], "  ");  // no sex, blank age
}

TEST_F(RunnerGridTest, FillTakesRowRFromRunnerRMinusOneOfTheShownRace) {
  day_->CurrentSlot = 3;
  day_->SeRec[3][0].Assign(SeRecord(1, 1, "FIRST"));
  day_->SeRec[3][2].Assign(SeRecord(3, 2, "THIRD"));
  screens::RunnerGrid grid;
  grid.SetRowCount(4);
  screens::FillRunnerGrid(*day_, grid);
  EXPECT_EQ(grid.Cell(1, RunnerColumn::HorseNumber), " 1");
  EXPECT_EQ(grid.Cell(2, RunnerColumn::HorseNumber), " 0");
  EXPECT_EQ(grid.Cell(3, RunnerColumn::Name).substr(0, 5), "THIRD");
  EXPECT_EQ(grid.Cell(1, RunnerColumn::Bracket), " 1");
  EXPECT_EQ(grid.Cell(3, RunnerColumn::Bracket), " 2");  // the runner's own bracket byte
  EXPECT_THROW(grid.Cell(4, RunnerColumn::Name), codes::LogicError);
}

TEST(SortRunnerGrid, MovesWholeRowsByHorseNumberText) {
  // clang-format off
  const struct { std::vector<std::string> horses; std::vector<std::string> sorted; } kCases[] = {
    {{" 1", " 2", " 3"}, {" 1", " 2", " 3"}},
    {{" 1", " 0", " 3", " 0"}, {" 0", " 0", " 1", " 3"}},  // missing runners go to the top
    {{"10", " 9", "18", " 1", " 0"}, {" 0", " 1", " 9", "10", "18"}},
    {{"18", "17", "16", "15", "14", "13", "12", "11", "10", " 9", " 8", " 7", " 6", " 5", " 4",
      " 3", " 2", " 1"},
     {" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", "10", "11", "12", "13", "14", "15",
      "16", "17", "18"}},
    {{}, {}},
    {{" 5"}, {" 5"}},
  };
  // clang-format on
  for (const auto& c : kCases) {
    screens::RunnerGrid grid;
    grid.SetRowCount(static_cast<int>(c.horses.size()) + 1);
    for (size_t i = 0; i < c.horses.size(); ++i) {
      const int row = static_cast<int>(i) + 1;
      grid.SetCell(row, RunnerColumn::HorseNumber, c.horses[i]);
      grid.SetCell(row, RunnerColumn::Jockey, "J" + c.horses[i]);  // travels with its row
    }
    screens::SortRunnerGrid(grid);
    for (size_t i = 0; i < c.sorted.size(); ++i) {
      const int row = static_cast<int>(i) + 1;
      EXPECT_EQ(grid.Cell(row, RunnerColumn::HorseNumber), c.sorted[i]) << row;
      EXPECT_EQ(grid.Cell(row, RunnerColumn::Jockey), "J" + c.sorted[i]) << row;
    }
    EXPECT_EQ(grid.Cell(0, RunnerColumn::HorseNumber), "");  // the heading row stays
  }
}

TEST_F(RunnerGridTest, HorseNumbersAreColouredByTheTrioMarkAndTheRunnersWinOrder) {
  // SRTaisho 2: the second favourite red, the favourite and the 4th..10th aqua, the third
  // favourite on the information background.
  day_->Work[0].SRTaisho = 2;
  const int ranks[] = {3, 1, 2, 4, 11};
  for (int k = 0; k < 5; ++k) Runner(k, SeRecord(k + 1, 1, "X"), 2.0 + k, ranks[k], 1.5, 1);
  screens::RunnerGrid grid;
  grid.SetRowCount(6);
  screens::FillRunnerGrid(*day_, grid);
  const screens::Rgb expected[] = {screens::kInfoBackground, screens::kAqua, screens::kRed,
                                   screens::kAqua, screens::kInfoBackground};
  for (int row = 1; row <= 5; ++row) {
    EXPECT_EQ(screens::RunnerGridCellStyle(grid, row, RunnerColumn::HorseNumber, day_->Work[0])
                  .background,
              expected[row - 1])
        << row;
  }
  const screens::CellStyle order =
      screens::RunnerGridCellStyle(grid, 2, RunnerColumn::WinOrder, day_->Work[0]);
  EXPECT_TRUE(order.bold);
  EXPECT_EQ(order.text, screens::kRed);
}

TEST(RunnerHeadings, AreTheTwoLinesAndWidthsOfEveryColumn) {
  EXPECT_EQ(codes::SjisToUtf8(screens::RunnerHeadingOf(RunnerColumn::WinOdds).line2), "朝ｵｯｽﾞ");
  EXPECT_EQ(codes::SjisToUtf8(screens::RunnerHeadingOf(RunnerColumn::Name).line1), "馬名");
  EXPECT_EQ(screens::RunnerHeadingOf(RunnerColumn::Name).width, 130);
  int total = 0;
  for (int c = 0; c < screens::kRunnerColumnCount; ++c) {
    total += screens::RunnerHeadingOf(static_cast<RunnerColumn>(c)).width;
  }
  EXPECT_EQ(total, 20 + 20 + 130 + 60 + 30 + 45 + 20 + 45 + 20 + 20 + 20);
}

}  // namespace
