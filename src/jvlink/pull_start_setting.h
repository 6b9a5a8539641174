#pragma once

#include "platform/clock.h"

namespace jvlink {

/// Where the stored pull keeps its start moment between runs: the pull reads it when
/// the dialog opens and moves it on after a completed read. The program's settings
/// file implements it; tests may keep it in memory.
class PullStartSetting {
 public:
  virtual ~PullStartSetting() = default;
  /// The stored moment; `now` minus 7 days when none (or no valid one) is stored.
  virtual platform::LocalTime LastTime(const platform::LocalTime& now) const = 0;
  virtual void SetLastTime(const platform::LocalTime& t) = 0;
};

}  // namespace jvlink
