#pragma once

#include <string>

#include "jvlink/jv_link.h"

namespace jvlink {

/// The one JV-Link control of the run, shared by the stored pull and the real-time
/// fetches, that knows whether its single stream is held: from a successful JVOpen or
/// JVRTOpen until JVClose or JVCancel. A timer that comes due while the stream is held
/// waits instead of opening on top of it (which would fail with -202, and its close
/// step would close the other's stream).
class SharedStream : public JVLink {
 public:
  explicit SharedStream(JVLink& control) : control_(control) {}

  /// True while a stream opened through this object is open.
  bool Held() const { return held_; }

  int JVInit(const std::string& sid) override { return control_.JVInit(sid); }
  int JVSetUIProperties() override { return control_.JVSetUIProperties(); }
  int JVOpen(const std::string& dataspec, const std::string& fromtime, int option, int& readcount,
             int& downloadcount, std::string& lastfiletimestamp) override;
  int JVStatus() override { return control_.JVStatus(); }
  int JVRead(std::string& buff, int size, std::string& filename) override {
    return control_.JVRead(buff, size, filename);
  }
  int JVRTOpen(const std::string& dataspec, const std::string& key) override;
  int JVCancel() override;
  int JVClose() override;

 private:
  JVLink& control_;
  bool held_ = false;
};

}  // namespace jvlink
