#include "text_grid.h"

#include <algorithm>
#include <cstdint>

#include "codes/errors.h"

namespace cli {
namespace {

struct Range {
  char32_t first, last;
};

// East Asian Wide and Fullwidth code points (the ranges a terminal draws two columns wide).
constexpr Range kWide[] = {
    {0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF},
    {0x4E00, 0x9FFF}, {0xA000, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF},
    {0xFE30, 0xFE4F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6}, {0x20000, 0x3FFFD},
};

bool IsWide(char32_t c) {
  return std::any_of(std::begin(kWide), std::end(kWide),
                     [c](const Range& r) { return c >= r.first && c <= r.last; });
}

// The next code point of a UTF-8 text; a stray byte counts as one narrow character.
char32_t NextCodePoint(std::string_view text, size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (at + static_cast<size_t>(length) > text.size()) {
    ++at;
    return U'?';
  }
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) c = (c << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  at += static_cast<size_t>(length);
  return c;
}

}  // namespace

int DisplayWidth(std::string_view utf8) {
  int width = 0;
  for (size_t at = 0; at < utf8.size();) width += IsWide(NextCodePoint(utf8, at)) ? 2 : 1;
  return width;
}

TextGrid::TextGrid(std::vector<Column> columns) : columns_(std::move(columns)) {}

void TextGrid::AddRow(std::vector<std::string> cells) {
  if (cells.size() > columns_.size()) {
    throw codes::LogicError("TextGrid row of " + std::to_string(cells.size()) + " cells for " +
                            std::to_string(columns_.size()) + " columns");
  }
  cells.resize(columns_.size());
  rows_.push_back(std::move(cells));
}

std::string TextGrid::Text(std::string_view indent) const {
  std::vector<int> widths;
  for (size_t c = 0; c < columns_.size(); ++c) {
    int width = DisplayWidth(columns_[c].heading);
    for (const auto& row : rows_) width = std::max(width, DisplayWidth(row[c]));
    widths.push_back(width);
  }
  auto line = [&](auto cell_of) {
    std::string text(indent);
    for (size_t c = 0; c < columns_.size(); ++c) {
      const std::string& cell = cell_of(c);
      const std::string pad(static_cast<size_t>(widths[c] - DisplayWidth(cell)), ' ');
      if (c > 0) text += "  ";
      text += columns_[c].align == Align::kRight ? pad + cell : cell + pad;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    return text + "\n";
  };
  std::string text = line([&](size_t c) -> const std::string& { return columns_[c].heading; });
  for (const auto& row : rows_) {
    text += line([&](size_t c) -> const std::string& { return row[c]; });
  }
  return text;
}

}  // namespace cli
