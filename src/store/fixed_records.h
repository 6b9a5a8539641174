#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

/// The records of a stored file of fixed-length lines, each returned as
/// `record_length` bytes with its CR LF, as JV-Link delivered it (RA 1272, SE 555 …).
/// An empty line (a bare CR LF, as left by a doubled line end) holds no record and
/// is skipped. nullopt when the file does not exist. InputError naming the file when
/// it ends inside a record or a record is not followed by CR LF at its length.
std::optional<std::vector<std::string>> ReadFixedRecords(const std::filesystem::path& file,
                                                         int record_length);

/// The same for the bytes of such a file; `where` names the file in messages.
std::vector<std::string> ParseFixedRecords(std::string_view text, int record_length,
                                           const std::string& where);

}  // namespace store
