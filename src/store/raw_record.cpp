#include "store/raw_record.h"

namespace store {

void ThrowFieldOutsideRecord(int pos, int len, int length) {
  throw codes::LogicError("record field " + std::to_string(pos) + "+" + std::to_string(len) +
                          " outside a record of " + std::to_string(length) + " bytes");
}

void CheckRecordLength(std::string_view record, int length) {
  if (record.size() != static_cast<size_t>(length)) {
    throw codes::InputError("a record of " + std::to_string(record.size()) + " bytes where " +
                            std::to_string(length) + " were expected");
  }
}

}  // namespace store
