#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "codes/cp932.h"

namespace codes {

/// A fixed code-to-text table. Rows are written with UTF-8 texts in the source and
/// converted to Shift-JIS once, when the table is built; lookups return the converted text.
/// Key is std::string_view for codes matched exactly, int for codes matched by value.
template <typename Key>
class CodeTable {
 public:
  struct Row {
    Key code;
    std::string_view utf8;
  };

  CodeTable(std::initializer_list<Row> rows) {
    rows_.reserve(rows.size());
    for (const Row& row : rows) rows_.emplace_back(Key(row.code), Utf8ToSjis(row.utf8));
  }

  /// The Shift-JIS text of the code, or nullptr when the code has no row.
  const std::string* Find(const Key& code) const {
    for (const auto& [key, text] : rows_) {
      if (key == code) return &text;
    }
    return nullptr;
  }

  /// The text of the code, or `missing` when the code has no row.
  std::string TextOr(const Key& code, std::string_view missing) const {
    const std::string* text = Find(code);
    return text != nullptr ? *text : std::string(missing);
  }

 private:
  std::vector<std::pair<Key, std::string>> rows_;
};

}  // namespace codes
