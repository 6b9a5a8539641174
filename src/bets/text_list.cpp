#include "bets/text_list.h"

#include <algorithm>

#include "codes/errors.h"

namespace bets {

// std::string compares by unsigned character codes, which is the plain text order.
void SortedTextList::Add(std::string_view text) {
  const auto at = std::lower_bound(items_.begin(), items_.end(), text);
  if (at != items_.end() && *at == text) return;
  items_.insert(at, std::string(text));
}

const std::string& SortedTextList::operator[](int i) const {
  codes::CheckIndex(i, 0, Size() - 1, "text list");
  return items_[static_cast<std::size_t>(i)];
}

bool SortedTextList::Contains(std::string_view text) const {
  return std::binary_search(items_.begin(), items_.end(), text);
}

}  // namespace bets
