#pragma once

#include "codes/layouts/field_position.h"
#include "codes/layouts/header_layout.h"

/// O1 … O6 odds: the announcement time after the header, then per bet type a run of
/// entries (combination, odds, popularity). In layout order.
namespace codes::odds_layout {

using namespace codes::header_layout;  // the common header: kRaceKey, kCourse …

inline constexpr FieldSpec kAnnouncementTime{28, 8};  ///< MMDDhhmm
inline constexpr FieldSpec kAnnouncementHour{32, 2};
inline constexpr FieldSpec kAnnouncementMinute{34, 2};

// O1 win and place: entries of 8 (horse 2, odds 4, popularity 2) from 44 and of 12 (horse
// 2, low 4, high 4, popularity 2) from 268; each with one implied decimal.
inline constexpr FieldSpec kWinOdds{46, 4};  ///< the odds of the first win entry
inline constexpr int kWinEntryLength = 8;
inline constexpr FieldSpec kPlaceLowOdds{270, 4};  ///< the low odds of the first place entry
inline constexpr int kPlaceEntryLength = 12;

/// Where the entries of the combination odds of O2 … O6 sit and how one is laid out.
struct OddsRun {
  int start;  ///< position of the first entry
  int entry_length;
  int count;        ///< entries in the record
  int odds_offset;  ///< offset of the odds within an entry
  int odds_width;
  int popularity_offset;
  int popularity_width;

  /// 1-based positions in the record of the odds and the popularity of entry i (from 1).
  constexpr int OddsPos(int i) const { return start + entry_length * (i - 1) + odds_offset; }
  constexpr int PopularityPos(int i) const {
    return start + entry_length * (i - 1) + popularity_offset;
  }
};

inline constexpr OddsRun kQuinella{41, 13, 153, 4, 6, 10, 3};   ///< O2
inline constexpr OddsRun kWide{41, 17, 153, 4, 5, 14, 3};       ///< O3, the low odds
inline constexpr OddsRun kExacta{41, 13, 306, 4, 6, 10, 3};     ///< O4
inline constexpr OddsRun kTrio{41, 15, 816, 6, 6, 12, 3};       ///< O5
inline constexpr OddsRun kTrifecta{41, 17, 4896, 6, 7, 13, 4};  ///< O6

}  // namespace codes::odds_layout
