#include "store/fixed_records.h"

#include "codes/errors.h"
#include "store/line_files.h"

namespace store {

std::optional<std::vector<std::string>> ReadFixedRecords(const std::filesystem::path& file,
                                                         int record_length) {
  std::optional<std::string> bytes = ReadWholeFile(file);
  if (!bytes) return std::nullopt;
  return ParseFixedRecords(*bytes, record_length, PathText(file));
}

std::vector<std::string> ParseFixedRecords(std::string_view text, int record_length,
                                           const std::string& file) {
  if (record_length < 3) {
    throw codes::LogicError("record length " + std::to_string(record_length) + " is too short");
  }
  const size_t length = static_cast<size_t>(record_length);
  std::vector<std::string> records;
  records.reserve(text.size() / length);
  size_t pos = 0;
  while (pos < text.size()) {
    if (text.compare(pos, 2, "\r\n") == 0) {
      pos += 2;
      continue;
    }
    const std::string where = file + ": record " + std::to_string(records.size() + 1) +
                              " at byte " + std::to_string(pos);
    if (text.size() - pos < length) {
      throw codes::InputError(where + ": the file ends inside the record (" +
                              std::to_string(text.size() - pos) + " of " +
                              std::to_string(length) + " bytes)");
    }
    if (text.compare(pos + length - 2, 2, "\r\n") != 0) {
      throw codes::InputError(where + ": not " + std::to_string(length - 2) +
                              " bytes followed by CR LF");
    }
    records.emplace_back(text.substr(pos, length));
    pos += length;
  }
  return records;
}

}  // namespace store
