#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cli {

/// Columns a UTF-8 text takes in a terminal: two for East Asian wide and full-width
/// characters (kanji, kana, "　", "３"), one for the rest (half-width katakana included).
int DisplayWidth(std::string_view utf8);

/// A table of UTF-8 texts printed in aligned columns, two blanks apart. Column widths are
/// display widths, so full-width texts line up with half-width ones.
///   TextGrid grid({{"買い目", Align::kLeft}, {"オッズ", Align::kRight}});
///   grid.AddRow({" 1- 2", "   10.1"});
///   std::cout << grid.Text("  ");
class TextGrid {
 public:
  enum class Align { kLeft, kRight };
  struct Column {
    std::string heading;
    Align align = Align::kRight;
  };

  explicit TextGrid(std::vector<Column> columns);

  /// A row of cells, one a column; missing cells are empty, extra ones are an error
  /// (codes::LogicError).
  void AddRow(std::vector<std::string> cells);

  /// The heading line and every row, each line starting with `indent`; trailing blanks cut.
  std::string Text(std::string_view indent = "") const;

 private:
  std::vector<Column> columns_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace cli
