#pragma once

#include <optional>
#include <string_view>

#include "verify/export_line.h"

namespace verify {

/// Why a line of a verification file was left out.
enum class SkipReason {
  kShortLine,      ///< fewer than 16 fields (an empty line, a field left open)
  kLongLine,       ///< more than 16 fields
  kUnquotedField,  ///< a field that does not begin and end with a double quote
  kNotShiftJis,    ///< bytes that are not Shift-JIS text
};
inline constexpr int kSkipReasonCount = 4;

/// A short English text of the reason ("short line", …) for messages and the CLI.
const char* SkipReasonText(SkipReason reason);

/// A line read back: its fields, or why it cannot be.
struct ParsedLine {
  std::optional<ExportFields> fields;
  SkipReason reason = SkipReason::kShortLine;
};

/// Splits a line (without its line end) into its sixteen double-quoted, comma-separated
/// fields; a doubled double quote inside a field stands for one.
ParsedLine ParseLine(std::string_view line);

}  // namespace verify
