#include "store/date_list.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "store/day_prefix.h"

namespace store {
namespace {

// The file's name in Shift-JIS, or nullopt when it does not convert (such a name was
// not written by the program).
std::optional<std::string> SjisName(const std::filesystem::path& file) {
  try {
    return codes::Utf8ToSjis(file.filename().string());
  } catch (const codes::InputError&) {
    return std::nullopt;
  }
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// (Shift-JIS name, path) of the regular files of the data folder whose name starts with
// `head` and ends with `tail` (both Shift-JIS), ascending by name. The names on disk are
// UTF-8: they are tested against the UTF-8 form of head and tail, and only those that pass
// are converted, for a store holds thousands of files and a day load looks for a handful.
std::vector<std::pair<std::string, std::filesystem::path>> DataFiles(const RecordStore& store,
                                                                     std::string_view head,
                                                                     std::string_view tail) {
  std::vector<std::pair<std::string, std::filesystem::path>> files;
  std::string stored_head, stored_tail;
  try {
    stored_head = codes::SjisToUtf8(head);
    stored_tail = codes::SjisToUtf8(tail);
  } catch (const codes::InputError&) {
    return files;  // no stored name can start or end with text that has no UTF-8 form
  }
  const auto add = [&](const std::filesystem::path& path) {
    if (std::optional<std::string> name = SjisName(path))
      files.emplace_back(std::move(*name), path);
  };
  if (const std::vector<std::string>* held = store.HeldDataFolderNames()) {
    // Sorted names: those that start with the head lie together.
    for (auto it = std::lower_bound(held->begin(), held->end(), stored_head);
         it != held->end() && it->starts_with(stored_head); ++it) {
      if (EndsWith(*it, stored_tail)) add(store.DataFolder() / *it);
    }
  } else {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(store.DataFolder(), ec), end; !ec && it != end;
         it.increment(ec)) {
      // The name as a view of the path's own text: no copy for the thousands that fail.
      const std::string& full = it->path().native();
      const std::string_view stored = std::string_view(full).substr(full.rfind('/') + 1);
      if (!stored.starts_with(stored_head) || !EndsWith(stored, stored_tail)) continue;
      if (it->is_regular_file(ec)) add(it->path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::vector<std::string> BuildDateList(const RecordStore& store) {
  std::vector<std::string> items;
  for (const auto& [name, path] : DataFiles(store, "", ".jvRA")) {
    if (name.size() < kDayPrefixLength) continue;
    std::string prefix = name.substr(0, kDayPrefixLength);
    if (IsDayPrefix(prefix)) items.push_back(std::move(prefix));
  }
  std::reverse(items.begin(), items.end());
  return items;
}

std::vector<std::filesystem::path> DayRunnerFiles(const RecordStore& store,
                                                  const std::string& day_prefix) {
  std::vector<std::filesystem::path> runner_files;
  if (day_prefix.empty()) return runner_files;
  for (const auto& [name, path] : DataFiles(store, day_prefix, ".jvSEr")) {
    runner_files.push_back(path);
  }
  return runner_files;
}

}  // namespace store
