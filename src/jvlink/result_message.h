#pragma once

#include <string>
#include <string_view>

namespace jvlink {

/// The text shown and logged for a JV-Link result: the table text of the operation
/// and code, then "(" code ")". A code without a row for that operation gives only
/// the bracketed code, e.g. ResultMessage("JVClose", -1) == "(-1)".
/// Shift-JIS bytes.
std::string ResultMessage(std::string_view operation, int code);

}  // namespace jvlink
