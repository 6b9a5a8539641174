#pragma once

#include "codes/layouts/field_position.h"
#include "codes/layouts/header_layout.h"

/// TC post-time change (45 bytes), a change notice of the race day. In layout order.
namespace codes::tc_layout {

using namespace codes::header_layout;  // the common header: kRaceKey, kCourse …

inline constexpr FieldSpec kAnnouncementTime{28, 8};  ///< MMDDhhmm
inline constexpr FieldSpec kNewPostTime{36, 4};       ///< hhmm
inline constexpr FieldSpec kOldPostTime{40, 4};

}  // namespace codes::tc_layout
