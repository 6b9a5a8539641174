#pragma once

#include "codes/civil_date.h"

namespace samplefeed {

// The generator counts its days with the program's one calendar arithmetic.
using codes::AddDays;
using codes::DaysFromYmd;
using codes::IsValidYmd;
using codes::WeekdayOf;
using codes::YmdFromDays;

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
