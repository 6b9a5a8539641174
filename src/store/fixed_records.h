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

/// A stored file of fixed-length lines held whole, read and checked as ReadFixedRecords
/// reads it, its records looked at in place: a day's odds files are megabytes, and copying
/// each record out of them would cost more than reading them.
class FixedRecordFile {
 public:
  /// nullopt when the file does not exist; InputError as ReadFixedRecords.
  static std::optional<FixedRecordFile> Read(const std::filesystem::path& file,
                                             int record_length);
  /// The records of `bytes`; `file` names it in messages.
  FixedRecordFile(std::string bytes, int record_length, const std::string& file);

  size_t Size() const { return starts_.size(); }
  /// Record i (from 0) with its CR LF; LogicError outside 0..Size()-1.
  std::string_view Record(size_t i) const;

 private:
  std::string bytes_;
  size_t length_;
  std::vector<size_t> starts_;  // offsets, not views: a moved short string moves its bytes
};

}  // namespace store
