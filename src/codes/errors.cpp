#include "codes/errors.h"

namespace codes {

void ThrowIndexError(long long index, long long lo, long long hi, const char* what) {
  throw LogicError(std::string(what) + " index " + std::to_string(index) + " outside " +
                   std::to_string(lo) + ".." + std::to_string(hi));
}

}  // namespace codes
