#include "store/raw_record.h"

namespace store {

void ThrowFieldOutsideRecord(int pos, int len, int length) {
  throw codes::LogicError("record field " + std::to_string(pos) + "+" + std::to_string(len) +
                          " outside a record of " + std::to_string(length) + " bytes");
}

}  // namespace store
