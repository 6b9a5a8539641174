#include "bets/text_list.h"

#include <algorithm>

#include "codes/errors.h"

namespace bets {

// std::string compares by unsigned character codes, which is the plain text order.
const std::vector<std::string>& SortedTextList::Items() const {
  if (!sorted_) {
    std::sort(items_.begin(), items_.end());
    items_.erase(std::unique(items_.begin(), items_.end()), items_.end());
    sorted_ = true;
  }
  return items_;
}

const std::string& SortedTextList::operator[](int i) const {
  codes::CheckIndex(i, 0, Size() - 1, "text list");
  return Items()[static_cast<std::size_t>(i)];
}

bool SortedTextList::Contains(std::string_view text) const {
  const std::vector<std::string>& items = Items();
  return std::binary_search(items.begin(), items.end(), text);
}

}  // namespace bets
