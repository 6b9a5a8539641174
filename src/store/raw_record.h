#pragma once

#include <array>
#include <string>
#include <string_view>

#include "codes/errors.h"
#include "codes/record_field.h"

namespace store {

/// The LogicError of a field pos+len outside a record of `length` bytes; out of line, so
/// that the check of every field read stays a comparison.
[[noreturn]] void ThrowFieldOutsideRecord(int pos, int len, int length);

/// InputError unless a record taken in is `length` bytes long.
void CheckRecordLength(std::string_view record, int length);

/// The reading of an N-byte record by 1-based position, for every record kind that gives
/// its bytes as Text(): each field is checked against N.
template <typename Record, int N>
class RecordFields {
 public:
  static constexpr int kLength = N;

  /// Bytes at 1-based position `pos`, `len` long.
  std::string_view Field(int pos, int len) const {
    CheckField(pos, len);
    return Bytes().substr(static_cast<size_t>(pos - 1), static_cast<size_t>(len));
  }

  /// The field read as a number (leading blanks skipped; 0 without digits).
  int Int(int pos, int len) const { return static_cast<int>(codes::NumericValue(Field(pos, len))); }

  /// The same, for a field named in a record layout.
  std::string_view Field(codes::FieldSpec field) const { return Field(field.pos, field.len); }
  int Int(codes::FieldSpec field) const { return Int(field.pos, field.len); }

  friend bool operator==(const RecordFields&, const RecordFields&) = default;

 protected:
  static void CheckField(int pos, int len) {
    if (pos < 1 || len < 0 || pos - 1 + len > N) [[unlikely]] {
      ThrowFieldOutsideRecord(pos, len, N);
    }
  }

 private:
  std::string_view Bytes() const { return static_cast<const Record&>(*this).Text(); }
};

/// One raw JV-Data record of exactly N bytes (CR LF included), as stored, byte for byte.
/// Cleared it is all half-width spaces, so an absent record reads as blanks: its numeric
/// fields read as 0 and its text fields trim to empty.
template <int N>
class RawRecord : public RecordFields<RawRecord<N>, N> {
 public:
  RawRecord() { Clear(); }

  void Clear() { bytes_.fill(' '); }

  /// Copies a whole record; throws InputError when it is not N bytes long.
  void Assign(std::string_view record) {
    CheckRecordLength(record, N);
    std::copy(record.begin(), record.end(), bytes_.begin());
  }

  std::string_view Text() const { return {bytes_.data(), bytes_.size()}; }

  /// Overwrites bytes at 1-based position `pos` (the finishing position, a post time).
  void Put(int pos, std::string_view text) {
    this->CheckField(pos, static_cast<int>(text.size()));
    std::copy(text.begin(), text.end(), bytes_.begin() + (pos - 1));
  }

  friend bool operator==(const RawRecord&, const RawRecord&) = default;

 private:
  std::array<char, N> bytes_;
};

}  // namespace store
