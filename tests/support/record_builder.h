#pragma once

#include <string>
#include <string_view>

namespace testsupport {

/// A JV-Data record of `length` bytes (CR LF included): blanks, then CR LF.
std::string BlankRecord(int length);

/// Overwrites the bytes at 1-based position `pos` with `text` (Shift-JIS bytes).
/// Throws when the text would run into the CR LF or past the record.
void Put(std::string& record, int pos, std::string_view text);

/// Puts a number right-aligned, zero-filled in `width` digits ("%0*d").
void PutNumber(std::string& record, int pos, int width, long long value);

/// A record of the given id and length with data kind, creation date and the
/// 16-digit RaceKey yyyymmddJJKKHHRR at positions 12-27.
std::string RecordWithKey(std::string_view id, int length, char kind, std::string_view race_key,
                          std::string_view created = "20240101");

}  // namespace testsupport
