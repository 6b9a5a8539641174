#include "host/read_ahead_link.h"

#include <utility>

namespace winhost {

void ReadAheadLink::ReadAhead(int records, std::size_t bytes) {
  std::size_t taken = 0;
  while (reading_ && static_cast<int>(ahead_.size()) < records && taken < bytes) {
    jvlink::ReadEntry entry;
    entry.result = control_.JVRead(entry.record, size_, entry.filename);
    if (entry.result <= 0) entry.record.clear();
    reading_ = GoesOn(entry.result);
    taken += entry.record.size();
    ahead_.push_back(std::move(entry));
  }
}

int ReadAheadLink::JVRead(std::string& buff, int size, std::string& filename) {
  size_ = size;
  if (ahead_.empty()) {
    const int result = control_.JVRead(buff, size, filename);
    reading_ = GoesOn(result);
    return result;
  }
  jvlink::ReadEntry& entry = ahead_.front();
  const int result = entry.result;
  buff = std::move(entry.record);
  filename = std::move(entry.filename);
  ahead_.pop_front();
  return result;
}

int ReadAheadLink::JVOpen(const std::string& dataspec, const std::string& fromtime, int option,
                          int& readcount, int& downloadcount, std::string& lastfiletimestamp) {
  ahead_.clear();
  reading_ = false;
  return control_.JVOpen(dataspec, fromtime, option, readcount, downloadcount, lastfiletimestamp);
}

int ReadAheadLink::JVRTOpen(const std::string& dataspec, const std::string& key) {
  ahead_.clear();
  reading_ = false;
  return control_.JVRTOpen(dataspec, key);
}

int ReadAheadLink::JVCancel() {
  ahead_.clear();
  reading_ = false;
  return control_.JVCancel();
}

int ReadAheadLink::JVClose() {
  ahead_.clear();
  reading_ = false;
  return control_.JVClose();
}

}  // namespace winhost
