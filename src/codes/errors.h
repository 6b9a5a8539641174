#pragma once

#include <stdexcept>
#include <string>

namespace codes {

/// A bug in the program: an index outside its bound, a broken invariant.
/// Carries a message that names the array and the index.
class LogicError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

/// Bad input or a bad environment: a short record, an unreadable file, a full disk.
/// The message names the file and what is wrong with it.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Throws the LogicError of an index outside lo..hi; `what` names the array.
[[noreturn]] void ThrowIndexError(long long index, long long lo, long long hi, const char* what);

/// Throws LogicError unless lo <= index <= hi; `what` names the array. The comparison is
/// inline and the message is built out of line: the odds import checks millions of indexes.
inline void CheckIndex(long long index, long long lo, long long hi, const char* what) {
  if (index < lo || index > hi) [[unlikely]] {
    ThrowIndexError(index, lo, hi, what);
  }
}

}  // namespace codes
