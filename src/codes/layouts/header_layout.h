#pragma once

#include "codes/layouts/field_position.h"

/// The common header of every JV-Data record: kind, data kind, creation date and the race
/// key (year, month-day, racecourse, meeting, day of the meeting, race number).
namespace codes::header_layout {

inline constexpr FieldSpec kRecordId{1, 2};  ///< "RA", "SE", "HR", "O1" …
inline constexpr FieldSpec kDataKind{3, 1};
inline constexpr FieldSpec kCreationDate{4, 8};  ///< yyyymmdd
inline constexpr FieldSpec kYear{12, 4};
inline constexpr FieldSpec kYearTwoDigits{14, 2};  ///< yy
inline constexpr FieldSpec kMonthDay{16, 4};       ///< mmdd
inline constexpr FieldSpec kMonth{16, 2};
inline constexpr FieldSpec kDay{18, 2};
inline constexpr FieldSpec kCourse{20, 2};      ///< racecourse code
inline constexpr FieldSpec kMeeting{22, 2};     ///< 回: the meeting of the year
inline constexpr FieldSpec kMeetingDay{24, 2};  ///< 日目: the day of the meeting
inline constexpr FieldSpec kRaceNumber{26, 2};

/// The race date yyyymmdd (year and month-day together).
inline constexpr FieldSpec kDate{12, 8};
/// The RaceKey yyyymmddJJKKHHRR: date, racecourse, meeting, day, race number.
inline constexpr FieldSpec kRaceKey{12, 16};

}  // namespace codes::header_layout
