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

// Howard Hinnant's days-from-civil and civil-from-days.
int DaysFromYmd(int ymd) {
  int y = ymd / 10000;
  const int m = ymd / 100 % 100;
  const int d = ymd % 100;
  y -= m <= 2 ? 1 : 0;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int YmdFromDays(int days) {
  const int z = days + 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = z - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  const int d = doy - (153 * mp + 2) / 5 + 1;
  const int m = mp < 10 ? mp + 3 : mp - 9;
  const int y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  return y * 10000 + m * 100 + d;
}

int AddDays(int ymd, int n) { return YmdFromDays(DaysFromYmd(ymd) + n); }

int WeekdayOf(int ymd) {
  const int days = DaysFromYmd(ymd);
  return ((days % 7) + 7 + 4) % 7;  // 1970-01-01 was a Thursday
}

bool IsValidYmd(int ymd) {
  const int y = ymd / 10000;
  if (y < 1900 || y > 2999) return false;
  return YmdFromDays(DaysFromYmd(ymd)) == ymd && ymd % 100 >= 1 && ymd / 100 % 100 >= 1 &&
         ymd / 100 % 100 <= 12;
}

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
