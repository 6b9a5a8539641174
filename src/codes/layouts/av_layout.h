#pragma once

#include "codes/layouts/field_position.h"
#include "codes/layouts/header_layout.h"

/// AV withdrawal notice (78 bytes), a change notice of the race day. In layout order.
namespace codes::av_layout {

using namespace codes::header_layout;  // the common header: kRaceKey, kCourse …

inline constexpr FieldSpec kAnnouncementTime{28, 8};  ///< MMDDhhmm
inline constexpr FieldSpec kHorseNumber{36, 2};
inline constexpr FieldSpec kHorseName{38, 36};

}  // namespace codes::av_layout
