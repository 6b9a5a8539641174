#include "store/fixed_records.h"

#include "codes/errors.h"
#include "store/line_files.h"

namespace store {
namespace {

// Where a record lies in its file, for a message; built only when a record is bad.
std::string RecordPlace(const std::string& file, size_t record_number, size_t pos) {
  return file + ": record " + std::to_string(record_number) + " at byte " + std::to_string(pos);
}

// The byte offset of every record in `text`, checked as ParseFixedRecords describes.
std::vector<size_t> RecordStarts(std::string_view text, int record_length,
                                 const std::string& file) {
  if (record_length < 3) {
    throw codes::LogicError("record length " + std::to_string(record_length) + " is too short");
  }
  const size_t length = static_cast<size_t>(record_length);
  std::vector<size_t> starts;
  starts.reserve(text.size() / length);
  size_t pos = 0;
  while (pos < text.size()) {
    if (text.compare(pos, 2, "\r\n") == 0) {
      pos += 2;
      continue;
    }
    if (text.size() - pos < length) {
      throw codes::InputError(RecordPlace(file, starts.size() + 1, pos) +
                              ": the file ends inside the record (" +
                              std::to_string(text.size() - pos) + " of " +
                              std::to_string(length) + " bytes)");
    }
    if (text.compare(pos + length - 2, 2, "\r\n") != 0) {
      throw codes::InputError(RecordPlace(file, starts.size() + 1, pos) + ": not " +
                              std::to_string(length - 2) + " bytes followed by CR LF");
    }
    starts.push_back(pos);
    pos += length;
  }
  return starts;
}

}  // namespace

std::optional<std::vector<std::string>> ReadFixedRecords(const std::filesystem::path& file,
                                                         int record_length) {
  std::optional<std::string> bytes = ReadWholeFile(file);
  if (!bytes) return std::nullopt;
  return ParseFixedRecords(*bytes, record_length, PathText(file));
}

std::vector<std::string> ParseFixedRecords(std::string_view text, int record_length,
                                           const std::string& file) {
  std::vector<std::string> records;
  for (size_t start : RecordStarts(text, record_length, file)) {
    records.emplace_back(text.substr(start, static_cast<size_t>(record_length)));
  }
  return records;
}

FixedRecordFile::FixedRecordFile(std::string bytes, int record_length, const std::string& file)
    : bytes_(std::move(bytes)),
      length_(static_cast<size_t>(record_length)),
      starts_(RecordStarts(bytes_, record_length, file)) {}

std::optional<FixedRecordFile> FixedRecordFile::Read(const std::filesystem::path& file,
                                                     int record_length) {
  std::optional<std::string> bytes = ReadWholeFile(file);
  if (!bytes) return std::nullopt;
  return FixedRecordFile(std::move(*bytes), record_length, PathText(file));
}

std::string_view FixedRecordFile::Record(size_t i) const {
  codes::CheckIndex(static_cast<long long>(i), 0, static_cast<long long>(starts_.size()) - 1,
                    "record of the file");
  return std::string_view(bytes_).substr(starts_[i], length_);
}

}  // namespace store
