#include "support/record_builder.h"

#include <cstdio>
#include <stdexcept>

namespace testsupport {

std::string BlankRecord(int length) {
  std::string r(static_cast<size_t>(length - 2), ' ');
  r += "\r\n";
  return r;
}

void Put(std::string& record, int pos, std::string_view text) {
  if (pos < 1 || static_cast<size_t>(pos - 1) + text.size() + 2 > record.size()) {
    throw std::out_of_range("Put at " + std::to_string(pos) + " of " +
                            std::to_string(text.size()) + " bytes runs past the record");
  }
  record.replace(static_cast<size_t>(pos - 1), text.size(), text);
}

void PutNumber(std::string& record, int pos, int width, long long value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld", width, value);
  Put(record, pos, buf);
}

std::string RecordWithKey(std::string_view id, int length, char kind, std::string_view race_key,
                          std::string_view created) {
  std::string r = BlankRecord(length);
  Put(r, 1, id);
  Put(r, 3, std::string(1, kind));
  Put(r, 4, created);
  Put(r, 12, race_key);
  return r;
}

}  // namespace testsupport
