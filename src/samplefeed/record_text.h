#pragma once

#include <string>
#include <string_view>

namespace samplefeed {

/// The RaceKey of positions 12-27: yyyymmdd, racecourse, meeting, day, race.
struct RaceKey {
  int ymd = 0;
  std::string course;  // two characters
  int meeting = 0;
  int day = 0;
  int race = 0;
  /// The 16 digits yyyymmddJJKKHHRR.
  std::string Text() const;
};

/// One fixed-length JV-Data record, built in place at the end of an output buffer:
/// `length` blanks of which the last two are CR LF. Positions are 1-based as in the
/// published layouts; a field that would reach into the CR LF is a bug of the caller.
class RecordText {
 public:
  /// Appends a blank record of `length` bytes (CR LF included) to `out`.
  RecordText(std::string& out, int length);

  /// The header common to all kinds: record id, data kind, creation date.
  void Header(std::string_view id, char kind, int created_ymd);
  /// The header and the RaceKey at 12-27.
  void Header(std::string_view id, char kind, int created_ymd, const RaceKey& key);

  /// Bytes at pos.
  void Text(int pos, std::string_view bytes);
  /// A Shift-JIS full-width text padded with full-width spaces to len bytes.
  void Wide(int pos, int len, std::string_view sjis);
  /// value right-aligned and zero-filled in width digits; LogicError when it does not fit.
  void Number(int pos, int width, long long value);
  /// width copies of c.
  void Fill(int pos, int width, char c);

 private:
  char* At(int pos, int width);
  std::string& out_;
  size_t base_;
  int length_;
};

}  // namespace samplefeed
