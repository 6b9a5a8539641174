#include "store/record_store.h"

#include <algorithm>
#include <system_error>

#include "codes/ascii_case.h"
#include "codes/course_text.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/message_text.h"
#include "codes/layouts/header_layout.h"
#include "codes/layouts/se_layout.h"
#include "codes/record_field.h"
#include "store/day_prefix.h"
#include "store/error_log.h"
#include "store/record_names.h"

namespace store {
namespace {

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  std::u8string text(utf8.size(), u8'\0');
  std::transform(utf8.begin(), utf8.end(), text.begin(),
                 [](char c) { return static_cast<char8_t>(c); });
  return std::filesystem::path(text);
}

std::filesystem::path WithoutTrailingSeparator(const std::filesystem::path& folder) {
  std::filesystem::path p = std::filesystem::absolute(folder).lexically_normal();
  if (!p.has_filename() && p != p.root_path()) p = p.parent_path();
  return p;
}

// The folder `name` under `parent`, taking an existing one spelled in another case
// (the exact spelling first, else the first in name order), else `name` itself.
std::filesystem::path ResolveFolder(const std::filesystem::path& parent, const std::string& name) {
  std::error_code ec;
  if (std::filesystem::is_directory(parent / name, ec)) return parent / name;
  std::optional<std::string> found;
  for (std::filesystem::directory_iterator it(parent, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (codes::SameAsciiName(entry, name) && it->is_directory(ec) && (!found || entry < *found)) {
      found = entry;
    }
  }
  return parent / found.value_or(name);
}

void CreateFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  if (std::filesystem::is_directory(folder, ec)) return;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw codes::InputError(PathText(folder) + ": folder cannot be created (" +
                                  ec.message() + ")");
}

void CheckSuffix(std::string_view suffix) {
  bool ok = suffix.size() >= 2 && suffix.front() == '.' &&
            std::all_of(suffix.begin() + 1, suffix.end(), [](char c) {
              return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            });
  if (!ok) throw codes::LogicError("record file suffix \"" + std::string(suffix) + "\" is not valid");
}

// The venue as a name part: a racecourse name has no blanks and no separators.
std::string VenueNamePart(std::string_view venue) {
  const std::string utf8 = codes::SjisToUtf8Lenient(venue);
  bool ok = !codes::IsBlank(venue) &&
            utf8.find_first_of(std::string("/\\?\0", 4)) == std::string::npos;
  if (!ok) throw codes::InputError("\"" + utf8 + "\" is not a racecourse name for a runner file");
  return utf8;
}

std::string DayPrefixNamePart(std::string_view day_prefix) {
  DateOfDayPrefix(day_prefix);  // raises InputError when it is not a DayPrefix
  return codes::SjisToUtf8(day_prefix);
}

}  // namespace

RecordStore::RecordStore(const std::filesystem::path& program_folder, const platform::Clock& clock)
    : program_folder_(WithoutTrailingSeparator(program_folder)),
      data_folder_(ResolveFolder(program_folder_, "Data")),
      change_folder_(ResolveFolder(program_folder_, "CHG")),
      kaime_folder_(ResolveFolder(program_folder_, "Kaime")),
      clock_(clock),
      lock_(program_folder_ / "Quorvane.lock"),
      log_lock_(program_folder_ / "ErrorLog.lock") {
  disk_.SetWriteLock(&lock_);
  log_disk_.SetWriteLock(&log_lock_);
}

void RecordStore::SetWriterName(const std::string& name) {
  lock_.SetHolderName(name);
  log_lock_.SetHolderName(name);
}

void RecordStore::SetLockWaitReport(const FolderLock::WaitReport& report) {
  lock_.SetWaitReport(report);
  log_lock_.SetWaitReport(report);
}

std::string RecordStore::ProgramFolderText() const {
  return codes::Utf8ToSjis(program_folder_.string());
}

void RecordStore::HoldDataFolderNames() {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(data_folder_, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const std::u8string name = it->path().filename().u8string();  // UTF-8 on every platform
    names.emplace_back(name.begin(), name.end());
  }
  std::sort(names.begin(), names.end());
  held_data_names_ = std::move(names);
}

void RecordStore::PrepareFolders() {
  data_folder_ = ResolveFolder(program_folder_, "Data");
  change_folder_ = ResolveFolder(program_folder_, "CHG");
  kaime_folder_ = ResolveFolder(program_folder_, "Kaime");
  for (const auto* folder : {&data_folder_, &change_folder_, &kaime_folder_}) CreateFolder(*folder);
}

std::filesystem::path RecordStore::DayFilePath(std::string_view day_prefix,
                                               std::string_view suffix) const {
  CheckSuffix(suffix);
  return data_folder_ / PathFromUtf8(DayPrefixNamePart(day_prefix) + std::string(suffix));
}

std::filesystem::path RecordStore::RunnerFilePath(std::string_view day_prefix,
                                                  std::string_view venue) const {
  return data_folder_ / PathFromUtf8(DayPrefixNamePart(day_prefix) + VenueNamePart(venue) + ".jvSEr");
}

std::filesystem::path RecordStore::ChangeFilePath(std::string_view day_prefix) const {
  return change_folder_ / PathFromUtf8(DayPrefixNamePart(day_prefix) + ".TC");
}

std::filesystem::path RecordStore::NewFilePath(std::string_view day_prefix) const {
  return change_folder_ / PathFromUtf8(DayPrefixNamePart(day_prefix) + ".NEW");
}

std::filesystem::path RecordStore::ErrorLogPath() const {
  return program_folder_ / "ErrorLog.txt";
}

std::string RecordStore::NewFileTime(std::string_view day_prefix) {
  std::optional<std::vector<std::string>> lines = disk_.Load(NewFilePath(day_prefix));
  if (!lines || lines->size() != 5) return {};
  return (*lines)[3];
}

std::optional<std::filesystem::path> RecordStore::DayFileOf(std::string_view record,
                                                            std::string_view suffix) {
  if (std::optional<std::string> fault = RaceKeyFault(record)) {
    LogBadRecord(record, *fault);
    return std::nullopt;
  }
  return DayFilePath(*DayPrefixOfRecord(record), suffix);
}

std::optional<std::filesystem::path> RecordStore::RunnerFileOf(std::string_view record) {
  if (std::optional<std::string> fault = RaceKeyFault(record, KeyCheck::kRunner)) {
    LogBadRecord(record, *fault);
    return std::nullopt;
  }
  return RunnerFilePath(*DayPrefixOfRecord(record), *VenueName(codes::Field(record, codes::header_layout::kCourse)));
}

std::optional<std::filesystem::path> RecordStore::ChangeFileOf(std::string_view record) {
  if (std::optional<std::string> fault = RaceKeyFault(record)) {
    LogBadRecord(record, *fault);
    return std::nullopt;
  }
  return ChangeFilePath(*DayPrefixOfRecord(record));
}

bool RecordStore::StoreDayRecord(LineFiles& files, std::string_view record,
                                 std::string_view suffix, bool may_create, OrderMode mode) {
  std::optional<std::filesystem::path> file = DayFileOf(record, suffix);
  return file && UpsertRecordLine(files, *file, record, may_create, mode);
}

bool RecordStore::StoreRunnerRecord(LineFiles& files, std::string_view record, bool may_create) {
  std::optional<std::filesystem::path> file = RunnerFileOf(record);
  return file && PutRunnerSlot(files, *file, record, may_create);
}

bool RecordStore::StoreChangeRecord(LineFiles& files, std::string_view record, bool may_create) {
  std::optional<std::filesystem::path> file = ChangeFileOf(record);
  return file && UpsertRecordLine(files, *file, record, may_create, OrderMode::kInsertInOrder);
}

void RecordStore::AppendErrorLog(std::string_view message) {
  const std::filesystem::path log = ErrorLogPath();
  FolderLockHold hold(&log_lock_);
  std::vector<std::string> lines = log_disk_.Load(log).value_or(std::vector<std::string>{});
  lines.push_back(ErrorLogLine(clock_.Now(), message));
  log_disk_.Save(log, lines);
}

void RecordStore::StartErrorLog() {
  const std::filesystem::path log = ErrorLogPath();
  FolderLockHold hold(&log_lock_);
  std::vector<std::string> lines = log_disk_.Load(log).value_or(std::vector<std::string>{});
  StartErrorLogLines(lines, clock_.Now(), ProgramFolderText());
  log_disk_.Save(log, lines);
}

bool RecordStore::TryAppendErrorLog(std::string_view message) {
  try {
    AppendErrorLog(message);
    return true;
  } catch (const codes::InputError&) {
    return false;
  }
}

void RecordStore::LogBadRecord(std::string_view record, std::string_view why) {
  static const std::string kDropped = codes::Sj("ファイル名を作れないレコードを破棄しました（");
  static const std::string kClose = codes::Sj("）：");
  AppendErrorLog(kDropped + std::string(why) + kClose + codes::PrintableAscii(codes::Field(record, codes::header_layout::kRecordId)) +
                 " " + codes::PrintableAscii(codes::Field(record, codes::header_layout::kRaceKey)));
}

}  // namespace store
