#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "codes/errors.h"
#include "codes/record_field.h"
#include "store/raw_record.h"

namespace store {

/// One raw JV-Data record of exactly N bytes (CR LF included) that stays where it was
/// read: a view into the bytes of its file, kept alive by whoever holds the record. A
/// day's odds files are megabytes, and every race takes a record of each kind from them.
/// Reads as RawRecord<N> reads; cleared it is all half-width spaces. Put gives the record
/// bytes of its own first, so the file's bytes never change.
template <int N>
class SharedRecord {
 public:
  static constexpr int kLength = N;

  SharedRecord() = default;

  void Clear() {
    holder_.reset();
    own_.reset();
    text_ = {};
  }

  /// Takes the record `record`, whose bytes `holder` keeps alive; InputError when it is
  /// not N bytes long.
  void Assign(std::string_view record, std::shared_ptr<const void> holder) {
    if (record.size() != static_cast<size_t>(N)) {
      throw codes::InputError("a record of " + std::to_string(record.size()) + " bytes where " +
                              std::to_string(N) + " were expected");
    }
    holder_ = std::move(holder);
    own_.reset();
    text_ = record;
  }

  std::string_view Text() const { return text_.empty() ? Blank() : text_; }

  /// Bytes at 1-based position `pos`, `len` long.
  std::string_view Field(int pos, int len) const {
    CheckField(pos, len);
    return Text().substr(static_cast<size_t>(pos - 1), static_cast<size_t>(len));
  }

  /// The field read as a number (leading blanks skipped; 0 without digits).
  int Int(int pos, int len) const { return static_cast<int>(codes::NumericValue(Field(pos, len))); }

  std::string_view Field(codes::FieldSpec field) const { return Field(field.pos, field.len); }
  int Int(codes::FieldSpec field) const { return Int(field.pos, field.len); }

  /// Overwrites bytes at 1-based position `pos` in the record's own copy of its bytes.
  void Put(int pos, std::string_view text) {
    CheckField(pos, static_cast<int>(text.size()));
    if (!own_ || own_.use_count() > 1) {
      own_ = std::make_shared<std::string>(Text());
      holder_.reset();
    }
    std::copy(text.begin(), text.end(), own_->begin() + (pos - 1));
    text_ = *own_;
  }

  friend bool operator==(const SharedRecord& a, const SharedRecord& b) {
    return a.Text() == b.Text();
  }

 private:
  static void CheckField(int pos, int len) {
    if (pos < 1 || len < 0 || pos - 1 + len > N) [[unlikely]] {
      ThrowFieldOutsideRecord(pos, len, N);
    }
  }

  static std::string_view Blank() {
    static const std::string blank(static_cast<size_t>(N), ' ');
    return blank;
  }

  std::shared_ptr<const void> holder_;  // the file the view lies in
  std::shared_ptr<std::string> own_;    // the bytes after a Put
  std::string_view text_;               // empty: cleared
};

}  // namespace store
