#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "jvlink/host_frames.h"
#include "jvlink/jv_link.h"

namespace winhost {

/// The control with reading done ahead of the program's asking: while the program files
/// one batch of records, the host reads the next from the control (ReadAhead, on the
/// control's thread) and the next JVRead hands those out first, in the control's order,
/// with the control's results. Reading ahead stops at the first result that is not a
/// record or a file switch, so "still downloading", errors and the end are met no
/// earlier than the control gives them; an open, JVCancel or JVClose drops what was read
/// ahead and not handed out.
class ReadAheadLink : public jvlink::JVLink {
 public:
  explicit ReadAheadLink(jvlink::JVLink& control) : control_(control) {}

  /// Reads up to `records` records or `bytes` bytes ahead, unless the stream has ended
  /// or waits for a download.
  void ReadAhead(int records, std::size_t bytes);
  std::size_t Waiting() const { return ahead_.size(); }
  /// True for a result the stream goes on from: a record or a file switch.
  static bool GoesOn(int result) { return result > 0 || result == -1; }

  int JVInit(const std::string& sid) override { return control_.JVInit(sid); }
  int JVSetUIProperties() override { return control_.JVSetUIProperties(); }
  int JVOpen(const std::string& dataspec, const std::string& fromtime, int option, int& readcount,
             int& downloadcount, std::string& lastfiletimestamp) override;
  int JVStatus() override { return control_.JVStatus(); }
  int JVRead(std::string& buff, int size, std::string& filename) override;
  int JVRTOpen(const std::string& dataspec, const std::string& key) override;
  int JVCancel() override;
  int JVClose() override;

 private:
  jvlink::JVLink& control_;
  std::deque<jvlink::ReadEntry> ahead_;
  int size_ = 100000;       ///< the buffer size of the program's last JVRead
  bool reading_ = false;    ///< a stream is open and its last read went on
};

}  // namespace winhost
