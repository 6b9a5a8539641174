#pragma once

#include <chrono>
#include <string>

namespace platform {

/// A local date and time, to the second.
struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  /// 0 Sunday .. 6 Saturday.
  int Weekday() const;
  /// yyyymmdd as a number, e.g. 20240518.
  int Ymd() const { return year * 10000 + month * 100 + day; }
  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

/// The current date and time. Every "today" and every timer rule asks this port.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;
};

/// The machine's local time. When the environment variable QUORVANE_NOW holds
/// "yyyy/mm/dd hh:nn:ss", the clock starts there and runs on with real time
/// (for demonstrations and end-to-end runs on a sample feed).
class SystemClock : public Clock {
 public:
  SystemClock();
  LocalTime Now() const override;

 private:
  std::chrono::seconds offset_{0};
};

/// A clock that stands where a test puts it.
class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalTime t) : now_(t) {}
  LocalTime Now() const override { return now_; }
  void Set(LocalTime t) { now_ = t; }
  /// Moves the clock on by whole seconds (negative moves it back).
  void Advance(long long seconds);

 private:
  LocalTime now_;
};

/// Parses "yyyy/mm/dd hh:nn:ss"; false when the text is not such a time.
bool ParseLocalTime(const char* text, LocalTime& out);
/// "yyyy/mm/dd hh:nn:ss".
std::string FormatLocalTime(const LocalTime& t);
/// "yyyymmddhhnnss", the time stamps of JV-Link (the start of a pull, a file's time).
std::string StampOf(const LocalTime& t);
/// The same time `seconds` later, through day, month and year ends.
LocalTime AddSeconds(const LocalTime& t, long long seconds);

}  // namespace platform
