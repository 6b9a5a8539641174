#pragma once

namespace store {

// JV-Data record lengths, CR LF included. A stored line is two bytes shorter.
inline constexpr int kRaLength = 1272;
inline constexpr int kSeLength = 555;
inline constexpr int kHrLength = 719;
inline constexpr int kO1Length = 962;
inline constexpr int kO2Length = 2042;
inline constexpr int kO3Length = 2654;
inline constexpr int kO4Length = 4031;
inline constexpr int kO5Length = 12293;
inline constexpr int kO6Length = 83285;
inline constexpr int kTcLength = 45;

// Bounds of one race day.
inline constexpr int kSlotCount = 36;    // three racecourses of twelve races
inline constexpr int kRunnerCount = 18;  // runner k = horse number - 1
inline constexpr int kVenueCount = 3;
inline constexpr int kRacesPerVenue = 12;

// Combinations per bet type, numbered 1..N.
inline constexpr int kQuinellaCount = 153;
inline constexpr int kExactaCount = 306;
inline constexpr int kTrioCount = 816;
inline constexpr int kTrifectaCount = 4896;

}  // namespace store
