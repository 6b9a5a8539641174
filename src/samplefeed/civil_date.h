#pragma once

namespace samplefeed {

/// Calendar arithmetic on dates written yyyymmdd as one integer (20240518).
/// Days are counted from 1970-01-01 in the proleptic Gregorian calendar.
int DaysFromYmd(int ymd);
int YmdFromDays(int days);
/// ymd moved by n days (n may be negative).
int AddDays(int ymd, int n);
/// 0 Sunday .. 6 Saturday.
int WeekdayOf(int ymd);
/// True when ymd is a real date of the years 1900..2999.
bool IsValidYmd(int ymd);

/// A moment of the feed, to the minute: date and minutes after midnight (may pass 24:00,
/// then it belongs to the next day once normalised).
struct FeedMoment {
  int ymd = 0;
  int minute = 0;
  /// The same moment with minute in 0..1439.
  FeedMoment Normalised() const;
  /// "yyyymmddhhnnss" (seconds 00).
  void Stamp14(char* out) const;
  /// MMDDhhmm as written in the odds and change records.
  void Mdhm8(char* out) const;
};

bool operator<(const FeedMoment& a, const FeedMoment& b);

}  // namespace samplefeed
