#include "store/record_file_repair.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/record_field.h"
#include "store/day_prefix.h"
#include "store/day_venues.h"
#include "store/line_files.h"
#include "store/record_lengths.h"
#include "store/record_lines.h"
#include "store/record_names.h"

namespace store {
namespace {

struct FileKind {
  std::string_view suffix;
  std::string_view id;
  int length;  // of a stored line: the record without CR LF
  bool runner_slots;
};

// clang-format off
constexpr FileKind kFileKinds[] = {
  {".jvRA",  "RA", kRaLength - 2, false},
  {".jvHR",  "HR", kHrLength - 2, false},
  {".jvO1a", "O1", kO1Length - 2, false},
  {".jvO2a", "O2", kO2Length - 2, false},
  {".jvO3a", "O3", kO3Length - 2, false},
  {".jvO4a", "O4", kO4Length - 2, false},
  {".jvO5a", "O5", kO5Length - 2, false},
  {".jvO6a", "O6", kO6Length - 2, false},
  {".jvSEr", "SE", kSeLength - 2, true},
  {".TC",    "TC", kTcLength - 2, false},
};
// clang-format on

const FileKind* KindOfName(std::string_view name) {
  for (const FileKind& kind : kFileKinds) {
    if (name.size() > kind.suffix.size() &&
        name.substr(name.size() - kind.suffix.size()) == kind.suffix) {
      return &kind;
    }
  }
  return nullptr;
}

bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Why a line of the file is damaged; nullopt for a sound record line.
std::optional<std::string> LineFault(std::string_view line, const FileKind& kind,
                                     const std::string& day) {
  if (line.size() != static_cast<size_t>(kind.length)) {
    return codes::Sj("長さが") + std::to_string(line.size()) + codes::Sj("バイト");
  }
  if (codes::Field(line, 1, 2) != kind.id) return codes::Sj("レコード種別が違う");
  if (!IsRecordText(line)) return codes::Sj("Shift-JISでない");
  const KeyCheck check = kind.runner_slots ? KeyCheck::kRunner : KeyCheck::kRace;
  if (std::optional<std::string> fault = RaceKeyFault(line, check)) return fault;
  if (codes::Field(line, 12, 8) != day) return codes::Sj("別の日のレコード");
  return std::nullopt;
}

std::string Note(size_t index, const std::string& why) {
  return codes::Sj("行") + std::to_string(index + 1) + codes::Sj("：") + why;
}

void RepairRunnerLines(const FileKind& kind, const std::string& day,
                       std::vector<std::string>& lines, FileRepair& repair) {
  static const std::string kWrongSlot = codes::Sj("別のレース・馬番の位置にある");
  static const std::string kBeyond = codes::Sj("216行を超える行");
  const std::string blank(static_cast<size_t>(kRunnerLineLength), ' ');
  for (size_t i = 0; i < lines.size() && i < static_cast<size_t>(kRunnerSlotCount); ++i) {
    std::string& line = lines[i];
    if (line == blank) continue;
    std::optional<std::string> fault = LineFault(line, kind, day);
    if (!fault) {
      const std::optional<int> slot =
          RunnerSlotIndex(codes::FieldInt(line, 26, 2), codes::FieldInt(line, 29, 2));
      if (slot != static_cast<int>(i)) fault = kWrongSlot;
    }
    if (!fault) continue;
    repair.notes.push_back(Note(i, *fault));
    ++repair.dropped_lines;
    line = blank;
  }
  for (size_t i = static_cast<size_t>(kRunnerSlotCount); i < lines.size(); ++i) {
    repair.notes.push_back(Note(i, kBeyond));
    ++repair.dropped_lines;
  }
  if (lines.size() != static_cast<size_t>(kRunnerSlotCount)) {
    lines.resize(static_cast<size_t>(kRunnerSlotCount), blank);
    repair.changed = true;
  }
  if (repair.dropped_lines > 0) repair.changed = true;
}

void RepairDayLines(const FileKind& kind, const std::string& day, std::vector<std::string>& lines,
                    FileRepair& repair) {
  std::vector<bool> damaged(lines.size(), false);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const bool blank_record =
        line.empty() || (line.size() == static_cast<size_t>(kind.length) && codes::IsBlank(line));
    if (blank_record) continue;
    if (std::optional<std::string> fault = LineFault(line, kind, day)) {
      repair.notes.push_back(Note(i, *fault));
      ++repair.dropped_lines;
      damaged[i] = true;
    }
  }
  if (repair.dropped_lines == 0) return;
  repair.changed = true;
  size_t kept = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (damaged[i]) continue;
    if (kept != i) lines[kept] = std::move(lines[i]);
    ++kept;
  }
  lines.resize(kept);
}

// A day file whose sound lines are still more than a race day holds.
void CheckRaceDayBounds(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  std::vector<std::string_view> races;
  for (const std::string& line : lines) {
    if (!codes::IsBlank(line)) races.push_back(line);
  }
  const size_t venues = VenueCodesOf(races).size();
  if (races.size() > static_cast<size_t>(kSlotCount) || venues > static_cast<size_t>(kVenueCount)) {
    throw codes::InputError(PathText(file) + ": cannot be repaired: it holds " +
                            std::to_string(races.size()) + " races at " + std::to_string(venues) +
                            " racecourses; a race day holds at most " + std::to_string(kSlotCount) +
                            " at " + std::to_string(kVenueCount));
  }
}

}  // namespace

bool IsRecordText(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (codes::IsSjisLeadByte(b)) {
      if (i + 1 >= bytes.size() || !IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
        return false;
      }
      ++i;
    } else if (b < 0x20 || b == 0x7F || b == 0x80 || b == 0xA0 || b > 0xFC) {
      return false;
    }
  }
  return true;
}

FileRepair RepairRecordLines(const std::filesystem::path& file, std::vector<std::string>& lines) {
  FileRepair repair;
  const FileKind* kind = KindOfName(file.filename().string());
  const std::optional<std::string> day_prefix = DayPrefixOfFileName(file);
  if (kind == nullptr || !day_prefix) return repair;
  const std::string day = DateOfDayPrefix(*day_prefix);
  if (kind->runner_slots) {
    RepairRunnerLines(*kind, day, lines, repair);
  } else {
    RepairDayLines(*kind, day, lines, repair);
  }
  if (kind->id == "RA") CheckRaceDayBounds(file, lines);
  return repair;
}

}  // namespace store
