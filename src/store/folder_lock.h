#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace store {

class LockFile;

/// The exclusive write lock of a program folder, shared by every program that writes
/// it (the window, a terminal's pull): a lock of the operating system on a lock file,
/// released by the system when a holder dies. While held, the file names the holder
/// ("quorvane-cli pull (pid 4711)"), so that a writer that waits can say for whom.
///
/// Holds nest: the lock is taken by the outermost Acquire and given back by the last
/// Release, so a step that writes may call another one that writes. Readers never take
/// it. One object is used by one thread (each worker of the export has its own store).
class FolderLock {
 public:
  /// Called while another program holds the lock, at first and whenever the holder
  /// changes, with the holder's printable text (empty when it has not said yet); then
  /// again every poll with the same text, so that a window can let its messages run.
  using WaitReport = std::function<void(const std::string& holder, bool changed)>;

  explicit FolderLock(std::filesystem::path lock_file);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  const std::filesystem::path& File() const { return file_; }
  /// Who this program is, for the lock file ("Quorvane", "quorvane-cli pull").
  void SetHolderName(std::string name) { holder_name_ = std::move(name); }
  void SetWaitReport(WaitReport report) { wait_report_ = std::move(report); }
  const WaitReport& TheWaitReport() const { return wait_report_; }

  /// Takes the lock, waiting for another holder as long as it holds it. InputError when
  /// the lock file cannot be opened or locked.
  void Acquire();
  void Release();
  bool Held() const { return depth_ > 0; }

 private:
  std::filesystem::path file_;
  std::string holder_name_ = "Quorvane";
  WaitReport wait_report_;
  int depth_ = 0;
  std::unique_ptr<LockFile> lock_file_;  ///< the open lock file while held
};

/// The status text of a writer that waits (Shift-JIS): "ほかのプログラム（holder）が
/// データを書き込み中です。終わるまで待ちます…".
std::string FolderLockWaitText(const std::string& holder);

/// Holds a FolderLock for a scope; a null lock holds nothing.
class FolderLockHold {
 public:
  explicit FolderLockHold(FolderLock* lock) : lock_(lock) {
    if (lock_) lock_->Acquire();
  }
  ~FolderLockHold() {
    if (lock_) lock_->Release();
  }
  FolderLockHold(const FolderLockHold&) = delete;
  FolderLockHold& operator=(const FolderLockHold&) = delete;

 private:
  FolderLock* lock_;
};

}  // namespace store
