#pragma once

#include <cstdint>
#include <initializer_list>

#include "codes/errors.h"

namespace bets {

/// A set of small numbers — popularity ranks or field sizes, 0..31 — that the rule tables
/// of the bet generators write as constants: {2, 3, 8, 9}, Range(2, 9),
/// NumberSet{1} | Range(4, 10).
class NumberSet {
 public:
  constexpr NumberSet() = default;
  constexpr NumberSet(std::initializer_list<int> numbers) {  // NOLINT: tables write {2, 3}
    for (const int n : numbers) bits_ |= Bit(n);
  }

  /// from..to, both ends included.
  static constexpr NumberSet Range(int from, int to) {
    NumberSet set;
    for (int n = from; n <= to; ++n) set.bits_ |= Bit(n);
    return set;
  }

  constexpr NumberSet operator|(NumberSet other) const {
    NumberSet set;
    set.bits_ = bits_ | other.bits_;
    return set;
  }

  constexpr bool Contains(int n) const {
    return n >= 0 && n <= kLargest && ((bits_ >> n) & 1U) != 0;
  }
  constexpr bool Empty() const { return bits_ == 0; }

 private:
  static constexpr int kLargest = 31;

  // Evaluated at compile time for the tables, so a number out of range fails the build.
  static constexpr std::uint32_t Bit(int n) {
    if (n < 0 || n > kLargest) throw codes::LogicError("number outside 0..31 in a rule table");
    return std::uint32_t{1} << n;
  }

  std::uint32_t bits_ = 0;
};

}  // namespace bets
