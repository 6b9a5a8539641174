#pragma once

#include "codes/layouts/field_position.h"

/// WE weather and going notice (42 bytes), a change notice of the race day. Its key has no
/// race number: date 12-19, racecourse 20-21, meeting 22-23, day 24-25. In layout order.
namespace codes::we_layout {

inline constexpr FieldSpec kRecordId{1, 2};
inline constexpr FieldSpec kDate{12, 8};  ///< yyyymmdd
inline constexpr FieldSpec kCourse{20, 2};
inline constexpr FieldSpec kMeeting{22, 2};
inline constexpr FieldSpec kMeetingDay{24, 2};
inline constexpr FieldSpec kAnnouncementTime{26, 8};  ///< MMDDhhmm
inline constexpr FieldSpec kChangeKind{34, 1};        ///< 変更識別: which announcement this is
inline constexpr FieldSpec kWeather{35, 1};           ///< weather code
inline constexpr FieldSpec kTurfGoing{36, 1};         ///< going codes, turf and dirt
inline constexpr FieldSpec kDirtGoing{37, 1};

}  // namespace codes::we_layout
