#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/line_files.h"

namespace store {

/// How a day file keeps its lines (one line per RaceKey in each).
enum class OrderMode {
  kSortAndDrop,    ///< RA and odds files: sorted, a blank first line dropped
  kSort,           ///< HR files: sorted, a blank line kept
  kInsertInOrder,  ///< TC files: a new line goes to its sorted place, a blank first line dropped
};

/// The slot file of one racecourse's runners: 12 races of 18 horse numbers.
inline constexpr int kRunnerSlotCount = 216;
/// A slot line: an SE record without its CR LF, or this many blanks while empty.
inline constexpr int kRunnerLineLength = 553;

/// The record with positions 3-11 (data kind and creation date) set to "000000000".
/// A record shorter than 11 bytes raises InputError.
std::string ZeroStamp(std::string_view record);

/// The stored line of a record as delivered: the record without its CR LF.
/// A record that does not end in CR LF raises InputError naming `file`.
std::string_view StoredLine(std::string_view record, const std::filesystem::path& file);

/// Puts `line` into the lines of a day file: it replaces the first line with the
/// same RaceKey (positions 12-27) or is added; then the lines are put in order.
void ApplyRecordLine(std::vector<std::string>& lines, std::string_view line, OrderMode mode);

/// Files a record (as delivered, CR LF included) into its day file, keeping one
/// line per RaceKey. A missing file is created only when `may_create`; returns
/// false when the record was dropped for that reason.
bool UpsertRecordLine(LineFiles& files, const std::filesystem::path& file, std::string_view record,
                      bool may_create, OrderMode mode);

/// Line index of race r and horse number h in a runner file, (r - 1) * 18 + (h - 1);
/// nullopt unless 1 <= r <= 12 and 1 <= h <= 18.
std::optional<int> RunnerSlotIndex(int race, int horse);

/// 216 lines of blanks: a runner file before anything is stored.
std::vector<std::string> EmptyRunnerLines();

/// Puts an SE line into its slot (race at 26-27, horse number at 29-30); false,
/// changing nothing, when the slot lies outside the file. Lines that are not
/// exactly 216 raise InputError naming `file`.
bool ApplyRunnerSlot(std::vector<std::string>& lines, std::string_view line,
                     const std::filesystem::path& file);

/// Files an SE record (as delivered) into the slot of its race and horse number.
/// Returns false when it was not stored: the file is missing and not `may_create`,
/// or the slot lies outside the file.
bool PutRunnerSlot(LineFiles& files, const std::filesystem::path& file, std::string_view record,
                   bool may_create);

}  // namespace store
