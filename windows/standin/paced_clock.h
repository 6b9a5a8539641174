#pragma once

#include <chrono>

#include "platform/clock.h"

namespace standin {

/// The stand-in's "now". Without QUORVANE_NOW it is the machine's time. With it, time
/// starts at QUORVANE_NOW at the moment QUORVANE_NOW_SINCE names (Unix seconds; the
/// moment the control was created when unset) and runs QUORVANE_SPEED times faster than
/// real time (default 1): the clock of a race day that the program runs faster, as
/// `live --speed` does, seen from another process.
class PacedClock : public platform::Clock {
 public:
  PacedClock();
  platform::LocalTime Now() const override;

 private:
  bool paced_ = false;
  platform::LocalTime start_;
  std::chrono::system_clock::time_point since_;
  long long speed_ = 1;
  platform::SystemClock machine_;
};

}  // namespace standin
