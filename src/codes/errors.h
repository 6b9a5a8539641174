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

/// Throws LogicError unless lo <= index <= hi; `what` names the array.
inline void CheckIndex(long long index, long long lo, long long hi, const char* what) {
  if (index < lo || index > hi) {
    throw LogicError(std::string(what) + " index " + std::to_string(index) + " outside " +
                     std::to_string(lo) + ".." + std::to_string(hi));
  }
}

}  // namespace codes
