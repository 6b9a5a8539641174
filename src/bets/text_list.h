#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bets {

/// A list of texts kept sorted by plain character-code comparison that ignores duplicate
/// additions. The fixed-width, blank-padded numbers of the combination texts make text
/// order equal numeric order, and the bet tables rely on it.
class SortedTextList {
 public:
  /// Inserts the text in its sorted place; nothing happens when it is already listed.
  void Add(std::string_view text);
  void Clear() { items_.clear(); }
  bool Empty() const { return items_.empty(); }
  int Size() const { return static_cast<int>(items_.size()); }
  /// Item i (0-based); LogicError outside 0..Size()-1.
  const std::string& operator[](int i) const;
  bool Contains(std::string_view text) const;

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<std::string> items_;
};

/// The three working lists of the generators (owned by the session beside the tables).
struct WorkingLists {
  SortedTextList CombList;      ///< candidate CombTexts of the bet type being built
  SortedTextList TrioCombList;  ///< a second candidate list (trio texts beside trifectas)
  SortedTextList EntryList;     ///< packed entries of the table being filled
};

}  // namespace bets
