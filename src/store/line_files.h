#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace store {

class FolderLock;

/// Where the store's text files live. Every file is read whole as lines and
/// written whole; the store operations see files only through this, so a pull can
/// hold its day files in memory and write each once.
class LineFiles {
 public:
  virtual ~LineFiles() = default;
  /// The file's lines without their line ends; nullopt when the file does not exist.
  virtual std::optional<std::vector<std::string>> Load(const std::filesystem::path& file) = 0;
  /// Replaces the whole file by the lines, each ended by CR LF.
  virtual void Save(const std::filesystem::path& file, const std::vector<std::string>& lines) = 0;
  virtual bool Exists(const std::filesystem::path& file) = 0;

  /// A change of a file's lines: gets them (nullopt while the file does not exist)
  /// and returns true when they are to be saved; returning false it leaves them as
  /// they were. It owns what it puts in, so that it can be made again later on the
  /// lines another program wrote meanwhile.
  using LinesEdit = std::function<bool(std::optional<std::vector<std::string>>& lines)>;
  /// Loads the file, lets `change` work on its lines and saves them when it returns
  /// true with lines; returns whether they were saved. Load, change and save happen
  /// under the write lock, so the change is merged into what is on disk at that moment.
  /// A backend that holds the lines in memory changes them there without copying them.
  virtual bool Edit(const std::filesystem::path& file, LinesEdit change);

  /// The lock every writer of these files takes around a change; null for files that
  /// no other program writes.
  virtual FolderLock* WriteLock() { return nullptr; }
};

/// The files on disk. A save writes a temporary file beside the target and renames
/// it over the target, so the old content stays whole when the write fails; the
/// failure raises InputError naming the file. With a write lock, every save and every
/// edit holds it.
class DiskLineFiles : public LineFiles {
 public:
  std::optional<std::vector<std::string>> Load(const std::filesystem::path& file) override;
  void Save(const std::filesystem::path& file, const std::vector<std::string>& lines) override;
  bool Exists(const std::filesystem::path& file) override;
  FolderLock* WriteLock() override { return lock_; }
  void SetWriteLock(FolderLock* lock) { lock_ = lock; }

  /// Fault injection: called with the target before every save; when it throws, the
  /// save fails there as a full disk or a killed program would stop it, and the file
  /// keeps its old content. Tests of interrupted writes set it; empty by default.
  using SaveFault = std::function<void(const std::filesystem::path& file)>;
  void SetSaveFault(SaveFault fault) { save_fault_ = std::move(fault); }

 private:
  SaveFault save_fault_;
  FolderLock* lock_ = nullptr;
};

/// Lines of a text: each ends at LF, a CR before the LF is dropped; a last line
/// without a line end counts too, and a text ending in a line end has no empty
/// line after it. "" has no lines, "\r\n" one empty line.
std::vector<std::string> SplitLines(std::string_view text);

/// The lines, each followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

/// The whole file as bytes; nullopt when it does not exist; InputError naming the
/// file when it exists but cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

/// Writes the bytes as the whole file through a temporary file in the same folder,
/// flushed and renamed over the target. InputError naming the file on failure;
/// the old file is then untouched.
void WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

/// The path's text for messages (UTF-8 on this platform).
std::string PathText(const std::filesystem::path& file);

}  // namespace store
