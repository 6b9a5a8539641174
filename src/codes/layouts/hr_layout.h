#pragma once

#include "codes/layouts/field_position.h"
#include "codes/layouts/header_layout.h"

/// HR payouts (719 bytes): per bet type a run of entries, each the winning numbers, the
/// payout (9 bytes) and the popularity. In layout order.
namespace codes::hr_layout {

using namespace codes::header_layout;  // the common header: kRaceKey, kCourse …

/// Where the entries of one bet type sit and how one entry is laid out.
struct PayoutRun {
  int start;              ///< position of the first entry
  int entry_length;       ///< bytes of one entry
  int numbers;            ///< horse or bracket numbers in an entry
  int number_width;       ///< bytes of each number
  int payout_offset;      ///< offset of the payout within an entry
  int popularity_offset;  ///< offset of the popularity within an entry
  int popularity_width;
};

inline constexpr int kPayoutWidth = 9;
inline constexpr PayoutRun kWin{103, 13, 1, 2, 2, 11, 2};              ///< 3 entries
inline constexpr PayoutRun kPlace{142, 13, 1, 2, 2, 11, 2};            ///< 5 entries
inline constexpr PayoutRun kBracketQuinella{207, 13, 2, 1, 2, 11, 2};  ///< 3 entries
inline constexpr PayoutRun kQuinella{246, 16, 2, 2, 4, 13, 3};         ///< 3 entries
inline constexpr PayoutRun kWide{294, 16, 2, 2, 4, 13, 3};             ///< 7 entries
inline constexpr PayoutRun kExacta{454, 16, 2, 2, 4, 13, 3};           ///< 6 entries
inline constexpr PayoutRun kTrio{550, 18, 3, 2, 6, 15, 3};             ///< 3 entries
inline constexpr PayoutRun kTrifecta{604, 19, 3, 2, 6, 15, 4};         ///< 6 entries

}  // namespace codes::hr_layout
