#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace jvlink {

/// Reads a list of feed files as JV-Link delivers them: each file's records one at
/// a time (every record up to and including its CR LF, exactly as the file holds
/// it, malformed or not), -1 after each file, 0 after the last one.
class RecordStream {
 public:
  /// Tells whether file `index` of the list may be read yet.
  using ReadyFn = std::function<bool(std::size_t index)>;

  explicit RecordStream(std::vector<std::filesystem::path> files);

  /// One step of JVRead: > 0 a record of that length in `buff` (cut to `size`
  /// bytes when longer), -1 a file ended, 0 all files read, -3 the next file is not
  /// ready, -503 the next file cannot be read. `filename` receives the name of the
  /// file the step belongs to.
  int Read(std::string& buff, int size, std::string& filename, const ReadyFn& ready);

  std::size_t file_count() const { return files_.size(); }

 private:
  bool LoadCurrent();

  std::vector<std::filesystem::path> files_;
  std::size_t index_ = 0;      ///< the file being read
  bool loaded_ = false;        ///< bytes_ holds file index_
  std::string bytes_;          ///< the whole current file
  std::size_t offset_ = 0;     ///< where its next record begins
  std::string name_;           ///< the file name of file name_index_, made once per file
  std::size_t name_index_ = static_cast<std::size_t>(-1);
};

}  // namespace jvlink
