#pragma once

#include "codes/layouts/field_position.h"
#include "codes/layouts/header_layout.h"

/// RA race details (1272 bytes): the fields the program reads, in layout order.
namespace codes::ra_layout {

using namespace codes::header_layout;  // the common header: kRaceKey, kCourse …

inline constexpr FieldSpec kWeekday{28, 1};  ///< weekday code
inline constexpr FieldSpec kRaceName{33, 60};
inline constexpr FieldSpec kShortName{605, 6};      ///< the race's name in 3 characters
inline constexpr FieldSpec kGradedEdition{612, 3};  ///< 第n回 of a graded race
inline constexpr FieldSpec kGrade{615, 1};          ///< grade code
inline constexpr FieldSpec kRaceType{617, 2};       ///< race type code
inline constexpr FieldSpec kRaceSymbol{619, 3};     ///< race symbol code
inline constexpr FieldSpec kWeightRule{622, 1};     ///< weight rule code
inline constexpr FieldSpec kCondition2yo{623, 3};   ///< condition codes by age …
inline constexpr FieldSpec kCondition3yo{626, 3};
inline constexpr FieldSpec kCondition4yo{629, 3};
inline constexpr FieldSpec kCondition5yoUp{632, 3};
inline constexpr FieldSpec kConditionYoungest{635, 3};  ///< condition of the youngest age
inline constexpr FieldSpec kDistance{698, 4};
inline constexpr FieldSpec kTrack{706, 2};        ///< track code
inline constexpr FieldSpec kCourseKubun{710, 2};  ///< A, B, C … course
inline constexpr FieldSpec kMainPrize{714, 8};    ///< first of 7 prizes, hundreds of yen
inline constexpr FieldSpec kAddedPrize{810, 8};   ///< first of 5 added prizes
inline constexpr int kPrizeEntryLength = 8;
inline constexpr FieldSpec kPostTime{874, 4};  ///< hhmm
inline constexpr FieldSpec kPostHour{874, 2};
inline constexpr FieldSpec kPostMinute{876, 2};
inline constexpr FieldSpec kRegisteredRunners{882, 2};
inline constexpr FieldSpec kFinishers{886, 2};
inline constexpr FieldSpec kWeather{888, 1};    ///< weather code
inline constexpr FieldSpec kTurfGoing{889, 1};  ///< going codes, turf and dirt
inline constexpr FieldSpec kDirtGoing{890, 1};

}  // namespace codes::ra_layout
