#include "screens/runner_grid.h"

#include "codes/cell_format.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/keiba_func.h"
#include "codes/layouts/se_layout.h"

namespace screens {
namespace {

size_t ColumnIndex(RunnerColumn col) {
  const int index = static_cast<int>(col);
  codes::CheckIndex(index, 0, kRunnerColumnCount - 1, "runner grid column");
  return static_cast<size_t>(index);
}

// One full-width space: what an empty number cell of the grid shows.
const std::string& EmptyCell() {
  static const std::string kEmpty = codes::Sj("　");
  return kEmpty;
}

std::string NumberOrEmpty(int value) {
  return value > 0 ? codes::FormatInt(value, 2) : EmptyCell();
}

}  // namespace

const RunnerHeading& RunnerHeadingOf(RunnerColumn col) {
  static const std::array<RunnerHeading, kRunnerColumnCount> kHeadings = {{
      {codes::Sj("枠"), codes::Sj("番"), 20},
      {codes::Sj("馬"), codes::Sj("番"), 20},
      {codes::Sj("馬名"), "", 130},
      {codes::Sj("騎手"), "", 60},
      {codes::Sj("性齢"), "", 30},
      {codes::Sj("単勝"), codes::Sj("朝ｵｯｽﾞ"), 45},
      {codes::Sj("順"), codes::Sj("位"), 20},
      {codes::Sj("複勝"), codes::Sj("朝ｵｯｽﾞ"), 45},
      {codes::Sj("順"), codes::Sj("位"), 20},
      {codes::Sj("着"), codes::Sj("順"), 20},
      {codes::Sj("人"), codes::Sj("気"), 20},
  }};
  return kHeadings[ColumnIndex(col)];
}

RunnerGrid::RunnerGrid() : rows_(1) {}

void RunnerGrid::SetRowCount(int count) {
  rows_.resize(static_cast<size_t>(count < 1 ? 1 : count));
}

void RunnerGrid::ClearDataRows() {
  for (size_t r = 1; r < rows_.size(); ++r) rows_[r] = RunnerRow{};
}

void RunnerGrid::CheckRow(int row) const {
  codes::CheckIndex(row, 0, RowCount() - 1, "runner grid row");
}

const std::string& RunnerGrid::Cell(int row, RunnerColumn col) const {
  CheckRow(row);
  return rows_[static_cast<size_t>(row)][ColumnIndex(col)];
}

void RunnerGrid::SetCell(int row, RunnerColumn col, std::string text) {
  CheckRow(row);
  rows_[static_cast<size_t>(row)][ColumnIndex(col)] = std::move(text);
}

const RunnerRow& RunnerGrid::Row(int row) const {
  CheckRow(row);
  return rows_[static_cast<size_t>(row)];
}

void RunnerGrid::SwapRows(int a, int b) {
  CheckRow(a);
  CheckRow(b);
  std::swap(rows_[static_cast<size_t>(a)], rows_[static_cast<size_t>(b)]);
}

RunnerRow RunnerRowOf(const store::RaceDay& day, int slot, int runner) {
  const store::SeRecord& se = day.SeRec[slot][runner];
  const store::RaceWork& work = day.Work[slot];
  RunnerRow row;
  auto cell = [&row](RunnerColumn col) -> std::string& { return row[ColumnIndex(col)]; };
  cell(RunnerColumn::Bracket) = codes::FormatInt(se.Int(codes::se_layout::kBracket), 2);
  cell(RunnerColumn::HorseNumber) = codes::FormatInt(se.Int(codes::se_layout::kHorseNumber), 2);
  cell(RunnerColumn::Name) = std::string(se.Field(codes::se_layout::kHorseNameShown));
  cell(RunnerColumn::Jockey) = std::string(se.Field(codes::se_layout::kJockey));
  cell(RunnerColumn::SexAge) = codes::SexText(se.Field(codes::se_layout::kSex)) +
                               codes::PadIntText(se.Field(codes::se_layout::kAge));
  if (work.AsaWinRank[runner] > 0) {
    cell(RunnerColumn::WinOdds) = codes::FormatFixed(work.AsaWinOdds[runner], 5, 1);
    cell(RunnerColumn::WinOrder) = codes::FormatInt(work.AsaWinRank[runner], 2);
    cell(RunnerColumn::PlaceOdds) = codes::FormatFixed(work.AsaPlaceLow[runner], 5, 1);
    cell(RunnerColumn::PlaceOrder) = codes::FormatInt(work.AsaPlaceLowRank[runner], 2);
  } else {
    for (RunnerColumn col : {RunnerColumn::WinOdds, RunnerColumn::WinOrder, RunnerColumn::PlaceOdds,
                             RunnerColumn::PlaceOrder}) {
      cell(col) = EmptyCell();
    }
  }
  cell(RunnerColumn::Finish) = NumberOrEmpty(se.Int(codes::se_layout::kFinalPlacing));
  cell(RunnerColumn::Popularity) = NumberOrEmpty(se.Int(codes::se_layout::kWinPopularity));
  return row;
}

void FillRunnerGrid(const store::RaceDay& day, RunnerGrid& grid) {
  for (int r = 1; r < grid.RowCount(); ++r) {
    const RunnerRow row = RunnerRowOf(day, day.CurrentSlot, r - 1);
    for (int c = 0; c < kRunnerColumnCount; ++c) {
      const auto col = static_cast<RunnerColumn>(c);
      grid.SetCell(r, col, row[ColumnIndex(col)]);
    }
  }
}

namespace {

// Hoare's partition around the middle row of [lo, hi], as the grid's own sort does it.
void QuickSortRows(RunnerGrid& grid, int lo, int hi) {
  while (lo < hi) {
    const std::string pivot = grid.Cell((lo + hi) / 2, RunnerColumn::HorseNumber);
    int i = lo;
    int j = hi;
    while (i <= j) {
      while (grid.Cell(i, RunnerColumn::HorseNumber) < pivot) ++i;
      while (pivot < grid.Cell(j, RunnerColumn::HorseNumber)) --j;
      if (i <= j) {
        if (i != j) grid.SwapRows(i, j);
        ++i;
        --j;
      }
    }
    // Recurse into the smaller part and loop on the larger, so the depth stays small.
    if (j - lo < hi - i) {
      QuickSortRows(grid, lo, j);
      lo = i;
    } else {
      QuickSortRows(grid, i, hi);
      hi = j;
    }
  }
}

}  // namespace

void SortRunnerGrid(RunnerGrid& grid) { QuickSortRows(grid, 1, grid.RowCount() - 1); }

CellStyle RunnerGridCellStyle(const RunnerGrid& grid, int row, RunnerColumn col,
                              const store::RaceWork& work) {
  return RunnerCellStyle(row, col, grid.Cell(row, col), work);
}

}  // namespace screens
