#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bets {

/// A list of texts in sorted order by plain character-code comparison, each text once
/// however often it was added. The fixed-width, blank-padded numbers of the combination
/// texts make text order equal numeric order, and the bet tables rely on it.
///
/// A generator adds hundreds of texts, many of them twice, before anything reads the list:
/// additions out of order are gathered as they come and put in order (duplicates dropped)
/// at the first read after them.
class SortedTextList {
 public:
  /// Adds the text; a text already listed stays listed once.
  void Add(std::string_view text) {
    // Texts that come in order (a table's entries follow its sorted candidates) keep the
    // list in order as they come.
    if (sorted_ && !items_.empty()) {
      if (text == items_.back()) return;
      if (text < items_.back()) sorted_ = false;
    }
    items_.emplace_back(text);
  }
  void Clear() {
    items_.clear();
    sorted_ = true;
  }
  bool Empty() const { return items_.empty(); }
  int Size() const { return static_cast<int>(Items().size()); }
  /// Item i (0-based); LogicError outside 0..Size()-1.
  const std::string& operator[](int i) const;
  bool Contains(std::string_view text) const;

  auto begin() const { return Items().begin(); }
  auto end() const { return Items().end(); }

 private:
  // The items in order without duplicates, ordering them first when texts were added.
  const std::vector<std::string>& Items() const;

  // Ordering on first read changes no text the list holds, only where it is kept.
  mutable std::vector<std::string> items_;
  mutable bool sorted_ = true;
};

/// The three working lists of the generators (owned by the session beside the tables).
struct WorkingLists {
  SortedTextList CombList;      ///< candidate CombTexts of the bet type being built
  SortedTextList TrioCombList;  ///< a second candidate list (trio texts beside trifectas)
  SortedTextList EntryList;     ///< packed entries of the table being filled
};

}  // namespace bets
