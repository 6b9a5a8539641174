#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/line_files.h"

namespace jvlink {

/// The record files of one stored pull held in memory: each file is loaded from
/// the backing files the first time a record goes to it, every later record
/// changes the lines in memory, and Flush writes each changed file once through
/// the backing (atomically, by the disk backend). The files after Flush are the
/// same bytes as if every record had rewritten its file at once.
///
/// Another program may write the same files meanwhile. Flush therefore holds the
/// backing's write lock and reads each file again: when it is no longer what was
/// loaded, the changes made here (each kept until it is written) are made again on
/// what is on disk now, so the result is that of the other program's writes followed
/// by these, and nothing either filed is lost.
///
/// The pull flushes when it ends, is cancelled, or stops on a JV-Link or file
/// error, so nothing read before is lost. When the lines held pass
/// `max_held_bytes`, every changed file is written and all are let go, so memory
/// stays bounded on a very long pull (a file may then be written more than once).
class WriteBackLineFiles : public store::LineFiles {
 public:
  static constexpr std::size_t kDefaultMaxHeldBytes = std::size_t{1} << 30;

  explicit WriteBackLineFiles(store::LineFiles& backing,
                              std::size_t max_held_bytes = kDefaultMaxHeldBytes);
  WriteBackLineFiles(const WriteBackLineFiles&) = delete;
  WriteBackLineFiles& operator=(const WriteBackLineFiles&) = delete;

  std::optional<std::vector<std::string>> Load(const std::filesystem::path& file) override;
  void Save(const std::filesystem::path& file, const std::vector<std::string>& lines) override;
  bool Exists(const std::filesystem::path& file) override;
  /// Changes the held lines in place: no copy, no read or write of the file.
  bool Edit(const std::filesystem::path& file, LinesEdit change) override;
  store::FolderLock* WriteLock() override { return backing_.WriteLock(); }

  /// Writes every changed file through the backing, in name order but each ".jvRA"
  /// file after all others, and keeps the lines held. A file that cannot be written
  /// does not stop the others, except that the ".jvRA" file of its day is then not
  /// written (the day stays out of the date list); the first failure is raised after
  /// all were tried, and the files not written stay changed.
  void Flush();

  /// Files changed since the last flush.
  std::size_t ChangedCount() const;
  /// Bytes of the lines held in memory, and of the changes kept for a merge.
  std::size_t HeldBytes() const { return held_bytes_; }
  /// Files that another program had changed since they were loaded, merged by Flush.
  std::size_t MergedCount() const { return merged_count_; }

 private:
  struct Held {
    std::filesystem::path path;
    std::optional<std::vector<std::string>> lines;  ///< nullopt: the file does not exist
    std::size_t bytes = 0;
    bool changed = false;
    std::size_t disk_digest = 0;   ///< of the lines on disk when last loaded or written
    std::vector<LinesEdit> edits;  ///< the changes since then, in their order
    std::size_t edit_bytes = 0;    ///< estimated bytes the kept changes hold
  };

  Held& Hold(const std::filesystem::path& file);
  void Changed(Held& held);
  void Keep(Held& held, LinesEdit change);
  void Write(Held& held);
  void LetGoWhenFull();

  store::LineFiles& backing_;
  std::size_t max_held_bytes_;
  std::size_t held_bytes_ = 0;
  std::size_t merged_count_ = 0;
  std::unordered_map<std::filesystem::path::string_type, Held> held_;
};

}  // namespace jvlink
