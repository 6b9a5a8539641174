#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "verify/csv_fields.h"
#include "verify/export_line.h"

namespace verify {

/// One verification file as the "全データ" grid holds it: the lines that read as sixteen
/// fields, in file order, and a count of the lines left out by reason.
struct StatsFile {
  std::string name;  ///< Shift-JIS
  std::vector<ExportFields> rows;
  std::array<int, kSkipReasonCount> skipped{};
  int first_skipped_line = 0;  ///< 1-based number of the first line left out; 0 when none

  int SkippedCount() const;
};

/// The "*.csv" files of `folder`, names in Shift-JIS, ascending; names that are not
/// Shift-JIS are left out. Empty when the folder does not exist.
std::vector<std::string> VerificationFiles(const std::filesystem::path& folder);

/// Reads the file `name` (Shift-JIS) of `folder`. Lines that cannot be read are counted
/// and left out, never fatal. InputError when the name leaves the folder, or the file
/// does not exist or cannot be read.
StatsFile LoadStatsFile(const std::filesystem::path& folder, const std::string& name);

/// The same from the bytes of a file. Lines end at CR LF, LF, or a CR that ends the
/// file; blank lines are passed over without being counted.
StatsFile ParseStatsFile(const std::string& name, std::string_view bytes);

/// "3 lines left out: 2 short line, 1 unquoted field (first at line 7)", or empty.
std::string SkippedText(const StatsFile& file);

}  // namespace verify
