#include "jvlink/write_back_line_files.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <set>
#include <utility>

#include "store/day_prefix.h"
#include "store/folder_lock.h"

namespace jvlink {
namespace {

std::size_t BytesOf(const std::optional<std::vector<std::string>>& lines) {
  std::size_t bytes = 0;
  if (lines) {
    for (const std::string& line : *lines) bytes += line.size() + 2;
  }
  return bytes;
}

// A digest of a file's lines, to tell whether another program wrote it since it was
// read; a missing file has its own.
std::size_t DigestOf(const std::optional<std::vector<std::string>>& lines) {
  if (!lines) return 0;
  std::size_t digest = lines->size() + 1;
  for (const std::string& line : *lines) {
    digest ^= std::hash<std::string>{}(line) + static_cast<std::size_t>(0x9e3779b97f4a7c15ULL) +
              (digest << 6) + (digest >> 2);
  }
  return digest;
}

}  // namespace

WriteBackLineFiles::WriteBackLineFiles(store::LineFiles& backing, std::size_t max_held_bytes)
    : backing_(backing), max_held_bytes_(max_held_bytes) {}

WriteBackLineFiles::Held& WriteBackLineFiles::Hold(const std::filesystem::path& file) {
  auto it = held_.find(file.native());
  if (it != held_.end()) return it->second;
  Held held;
  held.path = file;
  held.lines = backing_.Load(file);
  held.disk_digest = DigestOf(held.lines);
  held.bytes = BytesOf(held.lines);
  held_bytes_ += held.bytes;
  return held_.emplace(file.native(), std::move(held)).first->second;
}

void WriteBackLineFiles::Changed(Held& held) {
  held.changed = true;
  held_bytes_ -= held.bytes;
  held.bytes = BytesOf(held.lines);
  held_bytes_ += held.bytes;
}

std::optional<std::vector<std::string>> WriteBackLineFiles::Load(
    const std::filesystem::path& file) {
  return Hold(file).lines;
}

// A change kept for a merge holds about one line of its file.
void WriteBackLineFiles::Keep(Held& held, LinesEdit change) {
  const std::size_t bytes =
      held.lines && !held.lines->empty() ? held.bytes / held.lines->size() : 0;
  held.edits.push_back(std::move(change));
  held.edit_bytes += bytes;
  held_bytes_ += bytes;
}

void WriteBackLineFiles::Save(const std::filesystem::path& file,
                              const std::vector<std::string>& lines) {
  Held& held = Hold(file);
  held.lines = lines;
  Changed(held);
  Keep(held, [lines](std::optional<std::vector<std::string>>& on_disk) {
    on_disk = lines;
    return true;
  });
  LetGoWhenFull();
}

bool WriteBackLineFiles::Exists(const std::filesystem::path& file) {
  auto it = held_.find(file.native());
  return it != held_.end() ? it->second.lines.has_value() : backing_.Exists(file);
}

bool WriteBackLineFiles::Edit(const std::filesystem::path& file, LinesEdit change) {
  Held& held = Hold(file);
  const bool existed = held.lines.has_value();
  bool saved = false;
  try {
    saved = change(held.lines) && held.lines.has_value();
  } catch (...) {
    // A change that fails part way must not leave a file that was never saved.
    if (!existed) held.lines.reset();
    throw;
  }
  if (!saved) {
    if (!existed) held.lines.reset();
    return false;
  }
  Changed(held);
  Keep(held, std::move(change));
  LetGoWhenFull();
  return true;
}

// Under the write lock: the file as it is on disk now, with this pull's changes on top.
void WriteBackLineFiles::Write(Held& held) {
  std::optional<std::vector<std::string>> on_disk = backing_.Load(held.path);
  if (DigestOf(on_disk) != held.disk_digest) {
    for (LinesEdit& edit : held.edits) {
      const bool existed = on_disk.has_value();
      if (!edit(on_disk) && !existed) on_disk.reset();
    }
    held_bytes_ -= held.bytes;
    held.lines = std::move(on_disk);
    held.bytes = BytesOf(held.lines);
    held_bytes_ += held.bytes;
    ++merged_count_;
  }
  if (held.lines) backing_.Save(held.path, *held.lines);
  held.disk_digest = DigestOf(held.lines);
  held_bytes_ -= held.edit_bytes;
  held.edits.clear();
  held.edit_bytes = 0;
  held.changed = false;
}

void WriteBackLineFiles::Flush() {
  std::vector<Held*> changed;
  for (auto& [name, held] : held_) {
    if (held.changed) changed.push_back(&held);
  }
  // Each day's ".jvRA" file after every other file, so that the date list never shows
  // a day whose runners, payouts or odds are not yet on disk.
  std::sort(changed.begin(), changed.end(), [](const Held* a, const Held* b) {
    const bool a_last = store::IsDayListFile(a->path);
    const bool b_last = store::IsDayListFile(b->path);
    return a_last != b_last ? b_last : a->path < b->path;
  });
  if (changed.empty()) return;
  // One hold for the whole batch: another program's writer waits until every file of
  // this one is merged and written, and none of its writes falls between a read here
  // and the write after it.
  store::FolderLockHold hold(backing_.WriteLock());
  std::exception_ptr first_failure;
  std::set<std::string> failed_days;
  for (Held* held : changed) {
    const std::string day = store::DayPrefixOfFileName(held->path).value_or("");
    // A day whose other files did not all reach the disk is not listed yet: its
    // ".jvRA" file stays changed here, and the failure is raised.
    if (store::IsDayListFile(held->path) && failed_days.count(day) > 0) continue;
    try {
      Write(*held);
    } catch (...) {
      if (!first_failure) first_failure = std::current_exception();
      failed_days.insert(day);
    }
  }
  if (first_failure) std::rethrow_exception(first_failure);
}

std::size_t WriteBackLineFiles::ChangedCount() const {
  return static_cast<std::size_t>(std::count_if(
      held_.begin(), held_.end(), [](const auto& entry) { return entry.second.changed; }));
}

void WriteBackLineFiles::LetGoWhenFull() {
  if (held_bytes_ <= max_held_bytes_) return;
  Flush();
  held_.clear();
  held_bytes_ = 0;
}

}  // namespace jvlink
