#pragma once

#include <string>
#include <string_view>

namespace codes {

/// The bytes with everything but printable ASCII as '?': record bytes for a log line, so
/// that a garbled record cannot break the log's lines or its encoding.
std::string PrintableAscii(std::string_view bytes);

/// An error's text (UTF-8, as the core's errors carry it) for a Shift-JIS dialog, status
/// label or summary: converted, or where it will not convert, its printable ASCII.
std::string SjisMessageText(std::string_view utf8);

}  // namespace codes
