#include "bets/logic_a_rules.h"

namespace bets {
namespace {

constexpr VenueSide E = VenueSide::East;
constexpr VenueSide W = VenueSide::West;
constexpr PairRule kNone{kNoRule, {}};

constexpr NumberSet Range(int from, int to) { return NumberSet::Range(from, to); }

// The largest field a race day holds; "16 or more" ends there.
constexpr int kFullField = 18;

// clang-format off
constexpr QuinellaRow kQuinellaRows[] = {
  // URTaisho 2: the highest mean odds of the venue.
  {2, E, AtLeast(9),           {{{1, {2, 3, 8, 9}},       {2, {4, 8, 9}}}}},
  {2, E, FromBelow(8, 9),      {{{1, {2, 3, 4, 5}},       {3, {2, 4, 7}}}}},
  {2, E, FromBelow(7, 8),      {{{1, {2, 3, 4, 6}},       {2, {3, 4, 6}}}}},
  {2, E, AboveZeroBelow(7),    {{{1, {3, 4, 5, 6}},       {4, {2, 3, 5}}}}},
  {2, W, AtLeast(9),           {{{1, {2, 3, 4, 5, 9, 10}}, kNone}}},
  {2, W, FromBelow(8, 9),      {{{1, {2, 4, 5, 6}},       {6, {2, 3, 4}}}}},
  {2, W, FromBelow(7, 8),      {{{1, {2, 3, 4, 5, 8, 9}}, kNone}}},
  {2, W, AboveZeroBelow(7),    {{{1, {2, 3, 4, 5, 8}},    {2, {3, 4}}}}},
  // URTaisho 1: the lowest mean odds of the venue.
  {1, E, AtLeast(4.5),         {{{1, {2, 3, 5, 6}},       {3, {5, 6}}}}},
  {1, E, FromBelow(3.5, 4.5),  {{{1, {3, 4, 5, 6}},       {2, {1, 3, 4, 5}}}}},
  {1, E, AboveZeroBelow(3.5),  {{{2, {5, 6, 7}},          {3, {5, 6, 7}}}}},
  {1, W, AtLeast(4.5),         {{{1, {2, 3, 5, 6}},       {3, {4, 5, 6}}}}},
  {1, W, FromBelow(4, 4.5),    {{{1, {2, 3, 4, 5}},       {2, {3, 5, 7}}}}},
  {1, W, FromBelow(3.5, 4),    {{{2, {1, 3, 5}},          {3, {1, 4, 5}}}}},
  {1, W, AboveZeroBelow(3.5),  {{{2, {1, 3, 7, 8}},       {7, {1, 3, 4}}}}},
};

constexpr FallbackRow kFallbackRows[] = {
  {W, {9, 14},      {{{1, {2, 3}},    {2, {4}}}}},
  {W, {11},         {{{1, {2, 5, 6}}, kNone}}},
  {W, {12},         {{{1, {2, 3, 4}}, kNone}}},
  {W, {13},         {{{1, {3, 4}},    {3, {4}}}}},
  {E, Range(0, 8),  {{{1, {2, 3}},    {2, {3}}}}},
  {E, {9},          {{{1, {3, 5, 6}}, kNone}}},
  {E, {10, 13, 16}, {{{1, {2, 3, 4}}, kNone}}},
  {E, {12},         {{{1, {2, 5}},    {2, {3}}}}},
  {E, {15},         {{{1, {2, 4, 5}}, kNone}}},
};

constexpr ExactaRow kExactaRows[] = {
  {E, Range(0, 12),          Range(2, 5),              {1, 3, 4, 5, 6, 8, 9}},
  {E, {13},                  Range(3, 7),              {1, 3, 4, 8, 9, 10, 11, 12}},
  {E, {14},                  {3, 4, 5, 6, 8, 9},       {1, 3, 4, 6, 7, 9, 10}},
  {E, {15},                  {3, 4, 6, 7, 9, 10},      {1, 2, 3, 4, 10, 11, 12}},
  {E, Range(16, kFullField), Range(2, 7),              Range(1, 6) | NumberSet{8}},
  {W, Range(0, 12),          {2, 3, 4, 6, 7},          {1, 2, 3, 7, 8, 9}},
  {W, {13},                  {2, 3, 5, 6},             {1, 2, 3, 4, 5}},
  {W, {14},                  Range(2, 7),              {1, 2, 3, 4, 5, 6, 10, 11}},
  {W, {15},                  {5, 6, 7, 8, 10, 11},     Range(1, 6)},
  {W, Range(16, kFullField), Range(2, 6),              Range(1, 5) | NumberSet{7, 8, 9}},
};

constexpr NumberSet kFavourite{1};
constexpr NumberSet kSecond{2};
constexpr NumberSet kSecondToNinth = Range(2, 9);
constexpr NumberSet kFirstOrFourthToTenth = NumberSet{1} | Range(4, 10);

constexpr TrifectaRow kTrifectaRows[] = {
  // SRTaisho 1: the favourite in every trifecta with two of ranks 2..9.
  {1, {kFavourite,            kSecondToNinth,        kSecondToNinth}},
  {1, {kSecondToNinth,        kFavourite,            kSecondToNinth}},
  {1, {kSecondToNinth,        kSecondToNinth,        kFavourite}},
  // SRTaisho 2: the second favourite in every trifecta, the third favourite in none.
  {2, {kSecond,               kFirstOrFourthToTenth, kFirstOrFourthToTenth}},
  {2, {kFirstOrFourthToTenth, kSecond,               kFirstOrFourthToTenth}},
  {2, {kFirstOrFourthToTenth, kFirstOrFourthToTenth, kSecond}},
};
// clang-format on

}  // namespace

VenueSide VenueSideOf(std::string_view venue_code) {
  const bool west =
      venue_code == "07" || venue_code == "08" || venue_code == "09" || venue_code == "10";
  return west ? VenueSide::West : VenueSide::East;
}

std::span<const QuinellaRow> QuinellaRows() { return kQuinellaRows; }
std::span<const FallbackRow> FallbackRows() { return kFallbackRows; }
std::span<const ExactaRow> ExactaRows() { return kExactaRows; }
std::span<const TrifectaRow> TrifectaRows() { return kTrifectaRows; }

const QuinellaRow* FindQuinellaRow(int mark, VenueSide side, double oz_ave123) {
  for (const QuinellaRow& row : kQuinellaRows) {
    if (row.mark == mark && row.side == side && row.band.Contains(oz_ave123)) return &row;
  }
  return nullptr;
}

const FallbackRow* FindFallbackRow(VenueSide side, int runners) {
  for (const FallbackRow& row : kFallbackRows) {
    if (row.side == side && row.field_sizes.Contains(runners)) return &row;
  }
  return nullptr;
}

const ExactaRow* FindExactaRow(VenueSide side, int runners) {
  for (const ExactaRow& row : kExactaRows) {
    if (row.side == side && row.field_sizes.Contains(runners)) return &row;
  }
  return nullptr;
}

}  // namespace bets
