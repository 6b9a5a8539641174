#include "bets/text_list.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "codes/errors.h"

namespace bets {

namespace {

// The first eight bytes of the text as one number, the first byte highest, a shorter text
// padded with zero bytes. Where two texts' numbers differ they order the texts as plain
// text order does (a text before every longer text it begins); where they are equal the
// texts themselves decide.
std::uint64_t LeadingBytes(const std::string& text) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    value = value << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0U);
  }
  return value;
}

}  // namespace

// std::string compares by unsigned character codes, which is the plain text order. A list
// of a race's combinations is put in order thousands of times over a back-test: the texts
// are ordered by their leading bytes read once each, and moved once into place.
const std::vector<std::string>& SortedTextList::Items() const {
  if (sorted_) return items_;
  struct Keyed {
    std::uint64_t leading;
    std::size_t index;
  };
  std::vector<Keyed> order;
  order.reserve(items_.size());
  for (std::size_t i = 0; i < items_.size(); ++i) order.push_back({LeadingBytes(items_[i]), i});
  std::sort(order.begin(), order.end(), [this](const Keyed& a, const Keyed& b) {
    return a.leading != b.leading ? a.leading < b.leading : items_[a.index] < items_[b.index];
  });
  std::vector<std::string> sorted;
  sorted.reserve(order.size());
  std::uint64_t last_leading = 0;
  for (const Keyed& k : order) {
    std::string& text = items_[k.index];
    if (!sorted.empty() && k.leading == last_leading && text == sorted.back()) continue;
    sorted.push_back(std::move(text));
    last_leading = k.leading;
  }
  items_ = std::move(sorted);
  sorted_ = true;
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
