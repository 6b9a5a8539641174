#pragma once

// The runner grid of the bet page (`StringGrid26`): one heading row and one row per
// registered runner of the race shown, eleven read-only text columns.

#include <array>
#include <string>
#include <vector>

#include "screens/cell_colours.h"
#include "store/race_day.h"

namespace screens {

/// The cells of one grid row, in column order (RunnerColumn). Shift-JIS.
using RunnerRow = std::array<std::string, kRunnerColumnCount>;

/// The two heading lines of a column (the second empty for one-line headings) and its
/// width in pixels.
struct RunnerHeading {
  std::string line1;
  std::string line2;
  int width = 0;
};

/// The heading of a column: "枠"/"番", "馬"/"番", "馬名", … (Shift-JIS).
const RunnerHeading& RunnerHeadingOf(RunnerColumn col);

/// The grid's texts: row 0 is the heading row (its cells stay empty; the headings are
/// drawn from RunnerHeadingOf), rows 1..RowCount()-1 the runners. Cell access is checked.
class RunnerGrid {
 public:
  RunnerGrid();

  int RowCount() const { return static_cast<int>(rows_.size()); }
  /// New rows are empty; at least the heading row is kept.
  void SetRowCount(int count);
  /// Every cell of rows 1..RowCount()-1 empty.
  void ClearDataRows();

  const std::string& Cell(int row, RunnerColumn col) const;
  void SetCell(int row, RunnerColumn col, std::string text);
  const RunnerRow& Row(int row) const;
  void SwapRows(int a, int b);

  bool Visible = true;
  int SelectedRow = -1;  ///< -1: no cell highlighted

 private:
  void CheckRow(int row) const;
  std::vector<RunnerRow> rows_;
};

/// The cells of runner k of a race: bracket, horse number, name (the first 18 bytes),
/// jockey, sex and age, the morning win and place odds with their order positions
/// (all four "　" when the runner has no win order position), finishing position and
/// popularity ("　" when 0).
RunnerRow RunnerRowOf(const store::RaceDay& day, int slot, int runner);

/// Fills rows 1..RowCount()-1 of the grid for `CurrentSlot`, row r from runner r - 1.
void FillRunnerGrid(const store::RaceDay& day, RunnerGrid& grid);

/// Orders the data rows by the text of the horse-number column, ascending, byte by byte,
/// moving whole rows (a quicksort on the middle row; equal keys keep no particular order).
void SortRunnerGrid(RunnerGrid& grid);

/// How a cell of the grid is drawn for the race shown (its trio/trifecta mark and the
/// runners' win order positions).
CellStyle RunnerGridCellStyle(const RunnerGrid& grid, int row, RunnerColumn col,
                              const store::RaceWork& work);

}  // namespace screens
