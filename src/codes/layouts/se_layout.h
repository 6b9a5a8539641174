#pragma once

#include "codes/layouts/field_position.h"
#include "codes/layouts/header_layout.h"

/// SE runner (555 bytes): the fields the program reads, in layout order.
namespace codes::se_layout {

using namespace codes::header_layout;  // the common header: kRaceKey, kCourse …

inline constexpr FieldSpec kBracket{28, 1};
inline constexpr FieldSpec kHorseNumber{29, 2};
inline constexpr FieldSpec kHorseName{41, 36};
/// The part of the name the runner grid shows: nine two-byte characters.
inline constexpr FieldSpec kHorseNameShown = kHorseName.First(18);
inline constexpr FieldSpec kSex{79, 1};  ///< sex code
inline constexpr FieldSpec kAge{83, 2};
inline constexpr FieldSpec kJockey{307, 8};  ///< jockey short name
inline constexpr FieldSpec kFinalPlacing{335, 2};
inline constexpr FieldSpec kWinPopularity{364, 2};

}  // namespace codes::se_layout
