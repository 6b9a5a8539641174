#include "jvlink/simulated_download.h"

#include <algorithm>

#include "codes/errors.h"

namespace jvlink {

SimulatedDownload::SimulatedDownload(const std::vector<bool>& cached, int ticks_per_file)
    : ticks_per_file_(std::max(1, ticks_per_file)) {
  rank_.reserve(cached.size());
  for (bool in_cache : cached) rank_.push_back(in_cache ? -1 : count_++);
}

int SimulatedDownload::done() const { return std::min(count_, ticks_ / ticks_per_file_); }

void SimulatedDownload::Tick() {
  if (!stopped_ && done() < count_) ++ticks_;
}

bool SimulatedDownload::Ready(std::size_t i) const {
  codes::CheckIndex(static_cast<long long>(i), 0, static_cast<long long>(rank_.size()) - 1,
                    "download file");
  return rank_[i] < done();
}

}  // namespace jvlink
