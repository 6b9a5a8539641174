#include "standin/paced_clock.h"

#include <cstdlib>

namespace standin {
namespace {

long long EnvNumber(const char* name, long long fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  char* end = nullptr;
  const long long value = std::strtoll(text, &end, 10);
  return *end == '\0' && value > 0 ? value : fallback;
}

}  // namespace

PacedClock::PacedClock() : since_(std::chrono::system_clock::now()) {
  paced_ = platform::ParseLocalTime(std::getenv("QUORVANE_NOW"), start_);
  if (const long long since = EnvNumber("QUORVANE_NOW_SINCE", 0); since > 0) {
    since_ = std::chrono::system_clock::time_point(std::chrono::seconds(since));
  }
  speed_ = EnvNumber("QUORVANE_SPEED", 1);
}

platform::LocalTime PacedClock::Now() const {
  if (!paced_) return machine_.Now();
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::system_clock::now() - since_);
  const long long ms = elapsed.count() < 0 ? 0 : elapsed.count();
  return platform::AddSeconds(start_, ms * speed_ / 1000);
}

}  // namespace standin
