#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "store/folder_lock.h"
#include "store/line_files.h"
#include "store/record_lines.h"

namespace store {

/// The program's own copy of the JV-Data it has received, under the ProgramFolder:
///   Data/  every record file of every race day (DayPrefix + suffix, runner files
///          DayPrefix + venue + ".jvSEr"),
///   CHG/   change-notice files (DayPrefix + ".TC") and the ".NEW" files,
///   Kaime/ voting files,
///   ErrorLog.txt.
/// File names are UTF-8 on this platform: a DayPrefix (14 Shift-JIS bytes) is the
/// first 11 characters of a name. Names are case-sensitive here, so an existing
/// folder spelled differently ("DATA", "data", "chg") is taken as the folder; where
/// none exists "Data", "CHG" and "Kaime" are created.
///
/// Names built from records are checked first (record_names.h): a record whose date
/// is no real date, whose racecourse is not in the table or whose race or horse
/// number is out of range is dropped with an error-log line and never becomes a path.
class RecordStore {
 public:
  /// `program_folder` is made absolute and held without a trailing separator.
  RecordStore(const std::filesystem::path& program_folder, const platform::Clock& clock);

  const std::filesystem::path& ProgramFolder() const { return program_folder_; }
  /// The ProgramFolder as Shift-JIS text (for the log and the settings file).
  std::string ProgramFolderText() const;
  const std::filesystem::path& DataFolder() const { return data_folder_; }
  const std::filesystem::path& ChangeFolder() const { return change_folder_; }
  const std::filesystem::path& KaimeFolder() const { return kaime_folder_; }

  /// Creates the three folders where they are missing; InputError when one cannot be.
  void PrepareFolders();

  /// Data/ + DayPrefix + suffix (".jvRA", ".jvHR", ".jvO1a" …). A text that is not a
  /// DayPrefix raises InputError; a suffix that is not "." and letters and digits, LogicError.
  std::filesystem::path DayFilePath(std::string_view day_prefix, std::string_view suffix) const;
  /// Data/ + DayPrefix + venue + ".jvSEr"; the venue is the 4-byte racecourse name.
  std::filesystem::path RunnerFilePath(std::string_view day_prefix, std::string_view venue) const;
  /// CHG/ + DayPrefix + ".TC".
  std::filesystem::path ChangeFilePath(std::string_view day_prefix) const;
  /// CHG/ + DayPrefix + ".NEW" (only ever read).
  std::filesystem::path NewFilePath(std::string_view day_prefix) const;
  std::filesystem::path ErrorLogPath() const;

  /// The announcement time (mmddhhnn) of the newest change notice already applied:
  /// the fourth line of the ".NEW" file when it has exactly five lines, else empty.
  std::string NewFileTime(std::string_view day_prefix);

  /// The day file of a record, or nullopt (logged) when its RaceKey names no file.
  std::optional<std::filesystem::path> DayFileOf(std::string_view record, std::string_view suffix);
  /// The runner file of an SE record, or nullopt (logged) when its RaceKey or horse
  /// number names no slot of a file.
  std::optional<std::filesystem::path> RunnerFileOf(std::string_view record);
  /// The change file of a TC record, or nullopt (logged) when its RaceKey names no file.
  std::optional<std::filesystem::path> ChangeFileOf(std::string_view record);

  /// UpsertRecordLine into the record's day file; false when dropped.
  bool StoreDayRecord(LineFiles& files, std::string_view record, std::string_view suffix,
                      bool may_create, OrderMode mode);
  /// PutRunnerSlot into the record's runner file; false when dropped.
  bool StoreRunnerRecord(LineFiles& files, std::string_view record, bool may_create);
  /// UpsertRecordLine (insert in order) into the record's change file; false when dropped.
  bool StoreChangeRecord(LineFiles& files, std::string_view record, bool may_create);

  /// Appends "【エラー】hh:nn:ss：" + message (Shift-JIS) to ErrorLog.txt at once.
  void AppendErrorLog(std::string_view message);
  /// AppendErrorLog for steps that only read: a log that cannot be written (full disk)
  /// must not stop them. False when the line could not be written.
  bool TryAppendErrorLog(std::string_view message);
  /// The start of a run: keeps the newest 100 lines and adds the two start lines.
  void StartErrorLog();
  /// "ファイル名を作れないレコードを破棄しました（why）：" + id and RaceKey, to the log.
  void LogBadRecord(std::string_view record, std::string_view why);

  /// From now on the look-ups of date_list.h use the names the data folder holds at this
  /// moment instead of listing the folder each time: for a long reader under which no
  /// file is added (the verification export, whose date list is taken once as well).
  void HoldDataFolderNames();
  /// The held names of the data folder's regular files (UTF-8, ascending); nullptr when
  /// not holding them.
  const std::vector<std::string>* HeldDataFolderNames() const {
    return held_data_names_ ? &*held_data_names_ : nullptr;
  }

  /// The files on disk, written at once, each change under the write lock.
  DiskLineFiles& Disk() { return disk_; }
  /// The exclusive lock of the ProgramFolder (its file "Quorvane.lock") that every
  /// change of the record files holds: a step that reads files and writes them back holds
  /// it from the read to the write, so another program's change in between is not lost.
  FolderLock& WriteLock() { return lock_; }
  /// Who this program is for both locks, and what it does while it waits for one.
  void SetWriterName(const std::string& name);
  void SetLockWaitReport(const FolderLock::WaitReport& report);
  const platform::Clock& Clock() const { return clock_; }

 private:
  std::filesystem::path program_folder_;
  std::filesystem::path data_folder_;
  std::filesystem::path change_folder_;
  std::filesystem::path kaime_folder_;
  const platform::Clock& clock_;
  FolderLock lock_;
  /// ErrorLog.txt has a lock of its own ("ErrorLog.lock"): a step that only reads and
  /// logs a line never waits for a long write of the record files.
  FolderLock log_lock_;
  DiskLineFiles disk_;
  DiskLineFiles log_disk_;
  std::optional<std::vector<std::string>> held_data_names_;
};

}  // namespace store
