#include "samplefeed/civil_date.h"

namespace samplefeed {

namespace {

void PutDigits(char* out, int width, int value) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

}  // namespace

FeedMoment FeedMoment::Normalised() const {
  int days = minute >= 0 ? minute / 1440 : -((-minute + 1439) / 1440);
  return FeedMoment{AddDays(ymd, days), minute - days * 1440};
}

void FeedMoment::Stamp14(char* out) const {
  const FeedMoment n = Normalised();
  PutDigits(out, 8, n.ymd);
  PutDigits(out + 8, 2, n.minute / 60);
  PutDigits(out + 10, 2, n.minute % 60);
  PutDigits(out + 12, 2, 0);
}

void FeedMoment::Mdhm8(char* out) const {
  const FeedMoment n = Normalised();
  PutDigits(out, 4, n.ymd % 10000);
  PutDigits(out + 4, 2, n.minute / 60);
  PutDigits(out + 6, 2, n.minute % 60);
}

bool operator<(const FeedMoment& a, const FeedMoment& b) {
  const FeedMoment x = a.Normalised();
  const FeedMoment y = b.Normalised();
  return x.ymd != y.ymd ? x.ymd < y.ymd : x.minute < y.minute;
}

}  // namespace samplefeed
