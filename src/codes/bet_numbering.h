#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace codes {

/// The eight bet types. Multi-number combinations are numbered 1..CombCount in
/// lexicographic order, first number varying slowest.
enum class BetType {
  Tan,  ///< 単勝 win, one horse (18)
  Fuk,  ///< 複勝 place, one horse (18)
  WR,   ///< 枠連 bracket quinella, two brackets, smaller first, same twice allowed (36)
  UR,   ///< 馬連 quinella, two horses, smaller first (153)
  WD,   ///< ワイド quinella place, numbered as UR (153)
  UT,   ///< 馬単 exacta, two horses in finishing order (306)
  SRF,  ///< ３連複 trio, three horses ascending (816)
  SRT,  ///< ３連単 trifecta, three horses in finishing order (4896)
};

inline constexpr int kMaxHorse = 18;
inline constexpr int kMaxBracket = 8;

/// Number of combinations of the bet type over a full 18-horse field.
int CombCount(BetType type);

/// A horse or bracket number as "%2d" (" 7", "12").
std::string NumberText(int number);
/// A pair as "%2d-%2d" (" 3-10"), written in the order given.
std::string PairText(int first, int second);
/// A triple as "%2d-%2d-%2d" (" 1- 5-11"), written in the order given.
std::string TripleText(int first, int second, int third);

/// Text of combination `index` (1..CombCount) of the type; LogicError outside that range.
std::string CombText(BetType type, int index);

/// Number of the combination text within its type, or 0 when the text is not exactly a
/// combination text of the type (blank-padded two-character numbers, "-" separators,
/// ascending order where the type requires it).
int CombIndex(BetType type, std::string_view text);

/// Bracket-quinella number of " i- j" (i <= j, 1..8): 1..36, or 0.
std::uint8_t WRIndexOf(std::string_view text);
/// Quinella (and quinella-place) number of " i- j" (i < j): 1..153, or 0.
std::uint8_t URIndexOf(std::string_view text);
/// Exacta number of an ordered pair: 1..306, or 0.
std::uint16_t UTIndexOf(std::string_view text);
/// Trio number of an ascending triple: 1..816, or 0.
std::uint16_t SRFIndexOf(std::string_view text);
/// Trifecta number of an ordered triple: 1..4896, or 0. Only the first 8 characters of
/// the argument are compared, so a triple followed by other text still matches.
std::uint16_t SRTIndexOf(std::string_view text);

/// The ascending trio text of three horse numbers given in any order; empty when two are
/// equal or any is outside 1..18 (so that SRFIndexOf of the result is 0).
std::string SRFTextOf(int a, int b, int c);

}  // namespace codes
