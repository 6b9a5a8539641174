#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "store/line_files.h"
#include "store/record_file_repair.h"
#include "store/record_store.h"

namespace store {

/// The files a writer merges into, each checked as it is loaded (RepairRecordLines):
/// damaged lines are dropped, each logged in the error log, and the writer goes on
/// with the sound lines; the mended file reaches the disk with the writer's next save.
/// A file that cannot be read or cannot be mended raises InputError naming it.
class RepairingLineFiles : public LineFiles {
 public:
  /// Lines noted in the log for one file; the rest are counted in one more line.
  static constexpr size_t kLoggedLinesPerFile = 10;

  RepairingLineFiles(LineFiles& backing, RecordStore& store) : backing_(backing), store_(store) {}

  std::optional<std::vector<std::string>> Load(const std::filesystem::path& file) override;
  void Save(const std::filesystem::path& file, const std::vector<std::string>& lines) override {
    backing_.Save(file, lines);
  }
  bool Exists(const std::filesystem::path& file) override { return backing_.Exists(file); }
  FolderLock* WriteLock() override { return backing_.WriteLock(); }

  /// Files found damaged and mended, each counted once.
  int RepairedFiles() const { return static_cast<int>(repaired_.size()); }
  /// Damaged lines dropped over all files.
  long long DroppedLines() const { return dropped_lines_; }

 private:
  void Log(const std::filesystem::path& file, const FileRepair& repair);

  LineFiles& backing_;
  RecordStore& store_;
  std::set<std::filesystem::path> repaired_;
  long long dropped_lines_ = 0;
};

}  // namespace store
