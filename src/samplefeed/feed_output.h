#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace samplefeed {

/// The files of a feed folder being written: whole files from a buffer, folders made as
/// needed, and hard links where two files of the feed hold the same bytes (the final
/// odds of a race are both a stored file and its last odds announcement).
class FeedOutput {
 public:
  /// Clears the parts of an earlier feed in `root` (stored/, realtime/, timeseries/,
  /// feed.txt) and makes the folder. A folder that is not empty and holds no feed.txt
  /// is refused with InputError: it is not a feed.
  explicit FeedOutput(std::filesystem::path root);

  /// Writes `bytes` as the file `relative` under the root.
  void Write(const std::string& relative, std::string_view bytes);
  /// Makes `relative` hold the same bytes as the already written `existing`.
  void Link(const std::string& existing, const std::string& relative);

  const std::filesystem::path& root() const { return root_; }
  long long files() const { return files_; }
  long long bytes() const { return bytes_; }

 private:
  void MakeFolderOf(const std::filesystem::path& file);
  std::filesystem::path root_;
  std::filesystem::path last_folder_;
  long long files_ = 0;
  long long bytes_ = 0;
};

}  // namespace samplefeed
