#include "jvlink/shared_stream.h"

namespace jvlink {

int SharedStream::JVOpen(const std::string& dataspec, const std::string& fromtime, int option,
                         int& readcount, int& downloadcount, std::string& lastfiletimestamp) {
  const int result =
      control_.JVOpen(dataspec, fromtime, option, readcount, downloadcount, lastfiletimestamp);
  if (result == 0) held_ = true;
  return result;
}

int SharedStream::JVRTOpen(const std::string& dataspec, const std::string& key) {
  const int result = control_.JVRTOpen(dataspec, key);
  if (result == 0) held_ = true;
  return result;
}

int SharedStream::JVCancel() {
  held_ = false;
  return control_.JVCancel();
}

int SharedStream::JVClose() {
  const int result = control_.JVClose();
  // A close that failed still ends this program's use of the stream: nothing reads
  // from it afterwards, and the next open tells whether the control agrees.
  held_ = false;
  return result;
}

}  // namespace jvlink
