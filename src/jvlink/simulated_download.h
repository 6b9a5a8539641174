#pragma once

#include <cstddef>
#include <vector>

namespace jvlink {

/// The download of the files of a stored stream, made deterministic: each tick (a
/// JVStatus call, or a JVRead that meets a file still downloading) brings the
/// download on by one step, and every `ticks_per_file` steps one more file is
/// downloaded, in list order. Files already in the local cache are ready at once.
class SimulatedDownload {
 public:
  SimulatedDownload() = default;
  /// `cached[i]` tells that file i needs no download.
  SimulatedDownload(const std::vector<bool>& cached, int ticks_per_file);

  /// Files that had to be downloaded when the stream was opened.
  int count() const { return count_; }
  /// Files downloaded so far (0 .. count()).
  int done() const;
  /// One step of time.
  void Tick();
  /// Stops the download where it stands.
  void Stop() { stopped_ = true; }
  /// True when file i may be read.
  bool Ready(std::size_t i) const;

 private:
  std::vector<int> rank_;  ///< -1 for a cached file, else its place in the download order
  int count_ = 0;
  int ticks_ = 0;
  int ticks_per_file_ = 1;
  bool stopped_ = false;
};

}  // namespace jvlink
