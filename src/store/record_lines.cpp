#include "store/record_lines.h"

#include <algorithm>

#include "codes/errors.h"
#include "codes/layouts/header_layout.h"
#include "codes/layouts/se_layout.h"
#include "codes/record_field.h"

namespace store {
namespace {

std::string_view KeyOf(std::string_view line) {
  return codes::Field(line, codes::header_layout::kRaceKey);
}

void SortLines(std::vector<std::string>& lines) { std::sort(lines.begin(), lines.end()); }

// Sorted, a blank line comes first; only that one line is removed.
void DropBlankFirstLine(std::vector<std::string>& lines) {
  if (!lines.empty() && codes::IsBlank(lines.front())) lines.erase(lines.begin());
}

void InsertSorted(std::vector<std::string>& lines, std::string_view line) {
  SortLines(lines);
  lines.insert(std::upper_bound(lines.begin(), lines.end(), line), std::string(line));
}

}  // namespace

std::string ZeroStamp(std::string_view record) {
  if (record.size() < 11) {
    throw codes::InputError("a record of " + std::to_string(record.size()) +
                            " bytes has no data kind and creation date to clear");
  }
  std::string stamped(record);
  stamped.replace(2, 9, "000000000");
  return stamped;
}

std::string_view StoredLine(std::string_view record, const std::filesystem::path& file) {
  if (record.size() < 2 || record.substr(record.size() - 2) != "\r\n") {
    throw codes::InputError(PathText(file) + ": a record to store does not end in CR LF");
  }
  return record.substr(0, record.size() - 2);
}

void ApplyRecordLine(std::vector<std::string>& lines, std::string_view line, OrderMode mode) {
  const std::string_view key = KeyOf(line);
  auto same_key = std::find_if(lines.begin(), lines.end(),
                               [&](const std::string& l) { return KeyOf(l) == key; });
  if (same_key != lines.end()) {
    same_key->assign(line);
  } else if (mode == OrderMode::kInsertInOrder) {
    InsertSorted(lines, line);
  } else {
    lines.emplace_back(line);
  }
  if (mode != OrderMode::kInsertInOrder) SortLines(lines);
  if (mode != OrderMode::kSort) DropBlankFirstLine(lines);
}

bool UpsertRecordLine(LineFiles& files, const std::filesystem::path& file, std::string_view record,
                      bool may_create, OrderMode mode) {
  return files.Edit(file, [line = std::string(StoredLine(record, file)), may_create,
                           mode](std::optional<std::vector<std::string>>& lines) {
    if (!lines) {
      if (!may_create) return false;
      lines.emplace();
    }
    ApplyRecordLine(*lines, line, mode);
    return true;
  });
}

std::optional<int> RunnerSlotIndex(int race, int horse) {
  // Each bound on its own: horse 19 of race 1 would otherwise land on horse 1 of race 2.
  if (race < 1 || race > 12 || horse < 1 || horse > 18) return std::nullopt;
  return race * 18 + horse - 19;
}

std::vector<std::string> EmptyRunnerLines() {
  return std::vector<std::string>(kRunnerSlotCount,
                                  std::string(static_cast<size_t>(kRunnerLineLength), ' '));
}

bool ApplyRunnerSlot(std::vector<std::string>& lines, std::string_view line,
                     const std::filesystem::path& file) {
  if (lines.size() != static_cast<size_t>(kRunnerSlotCount)) {
    throw codes::InputError(PathText(file) + ": holds " + std::to_string(lines.size()) +
                            " lines where a runner file has " +
                            std::to_string(kRunnerSlotCount));
  }
  std::optional<int> index =
      RunnerSlotIndex(codes::FieldInt(line, codes::header_layout::kRaceNumber),
                      codes::FieldInt(line, codes::se_layout::kHorseNumber));
  if (!index) return false;
  lines[static_cast<size_t>(*index)].assign(line);
  return true;
}

bool PutRunnerSlot(LineFiles& files, const std::filesystem::path& file, std::string_view record,
                   bool may_create) {
  return files.Edit(file, [line = std::string(StoredLine(record, file)), file,
                           may_create](std::optional<std::vector<std::string>>& lines) {
    if (!lines) {
      if (!may_create) return false;
      lines = EmptyRunnerLines();
    }
    return ApplyRunnerSlot(*lines, line, file);
  });
}

}  // namespace store
