#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

#include "codes/errors.h"

namespace codes {

/// A name given as a template argument, for the message of an index error.
template <size_t N>
struct ArrayName {
  constexpr ArrayName(const char (&s)[N]) { std::copy_n(s, N, text); }  // NOLINT: implicit
  char text[N];
};

/// A fixed array indexed First..Last. Every access compares the index with its bounds
/// and throws LogicError naming the array ("runner index 18 outside 0..17") instead of
/// touching memory outside it.
template <typename T, int First, int Last, ArrayName Name>
class CheckedArray {
 public:
  static_assert(First <= Last);
  static constexpr int kFirst = First;
  static constexpr int kLast = Last;
  static constexpr int kSize = Last - First + 1;

  T& operator[](int i) {
    CheckIndex(i, First, Last, Name.text);
    return data_[static_cast<size_t>(i - First)];
  }
  const T& operator[](int i) const {
    CheckIndex(i, First, Last, Name.text);
    return data_[static_cast<size_t>(i - First)];
  }
  void Fill(const T& value) { data_.fill(value); }

  auto begin() { return data_.begin(); }
  auto end() { return data_.end(); }
  auto begin() const { return data_.begin(); }
  auto end() const { return data_.end(); }

  friend bool operator==(const CheckedArray&, const CheckedArray&) = default;

 private:
  std::array<T, kSize> data_{};
};

}  // namespace codes
