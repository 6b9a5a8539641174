#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "store/raw_record.h"

namespace store {

/// One raw JV-Data record of exactly N bytes (CR LF included) that stays where it was
/// read: a view into the bytes of its file, kept alive by whoever holds the record. A
/// day's odds files are megabytes, and every race takes a record of each kind from them.
/// Reads as RawRecord<N> reads; cleared it is all half-width spaces. Put gives the record
/// bytes of its own first, so the file's bytes never change.
template <int N>
class SharedRecord : public RecordFields<SharedRecord<N>, N> {
 public:
  SharedRecord() = default;

  void Clear() {
    holder_.reset();
    own_.reset();
    text_ = {};
  }

  /// Takes the record `record`, whose bytes `holder` keeps alive; InputError when it is
  /// not N bytes long.
  void Assign(std::string_view record, std::shared_ptr<const void> holder) {
    CheckRecordLength(record, N);
    holder_ = std::move(holder);
    own_.reset();
    text_ = record;
  }

  std::string_view Text() const { return text_.empty() ? Blank() : text_; }

  /// Overwrites bytes at 1-based position `pos` in the record's own copy of its bytes.
  void Put(int pos, std::string_view text) {
    this->CheckField(pos, static_cast<int>(text.size()));
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
  static std::string_view Blank() {
    static const std::string blank(static_cast<size_t>(N), ' ');
    return blank;
  }

  std::shared_ptr<const void> holder_;  // the file the view lies in
  std::shared_ptr<std::string> own_;    // the bytes after a Put
  std::string_view text_;               // empty: cleared
};

}  // namespace store
