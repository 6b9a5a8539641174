#include "store/comb_odds.h"

#include <string_view>

#include "codes/errors.h"
#include "codes/record_field.h"
#include "store/odds_text.h"

namespace store {
namespace {

// The record a bet type's odds are read from, with the entries the import checked.
struct CombSource {
  std::string_view record;
  int checked;
};

CombSource SourceOf(const RaceDay& day, int slot, codes::BetType type) {
  const RaceWork& work = day.Work[slot];
  switch (type) {
    case codes::BetType::UR:
      return {day.O2aRec[slot].Text(), work.CombOddsChecked.UR};
    case codes::BetType::UT:
      return {day.O4aRec[slot].Text(), work.CombOddsChecked.UT};
    case codes::BetType::SRF:
      return {day.O5aRec[slot].Text(), work.CombOddsChecked.SRF};
    case codes::BetType::SRT:
      return {day.O6aRec[slot].Text(), work.CombOddsChecked.SRT};
    default:
      throw codes::LogicError("no odds record of this bet type");
  }
}

const char* CombinationName(codes::BetType type) {
  switch (type) {
    case codes::BetType::UR:
      return "quinella combination";
    case codes::BetType::UT:
      return "exacta combination";
    case codes::BetType::SRF:
      return "trio combination";
    default:
      return "trifecta combination";
  }
}

}  // namespace

const codes::odds_layout::OddsRun& CombOddsRunOf(codes::BetType type) {
  switch (type) {
    case codes::BetType::UR:
      return codes::odds_layout::kQuinella;
    case codes::BetType::UT:
      return codes::odds_layout::kExacta;
    case codes::BetType::SRF:
      return codes::odds_layout::kTrio;
    case codes::BetType::SRT:
      return codes::odds_layout::kTrifecta;
    default:
      throw codes::LogicError("no odds record of this bet type");
  }
}

RaceCombOdds::RaceCombOdds(const RaceDay& day, int slot) : day_(day), slot_(slot) {
  codes::CheckIndex(slot, 0, kSlotCount - 1, "slot");
}

CombOdds RaceCombOdds::Of(codes::BetType type, int index) const {
  const codes::odds_layout::OddsRun& run = CombOddsRunOf(type);
  codes::CheckIndex(index, 1, run.count, CombinationName(type));
  const CombSource source = SourceOf(day_, slot_, type);
  if (index > source.checked) return {};
  const int entry = run.start + run.entry_length * (index - 1);
  const double odds =
      OddsValue(codes::Field(source.record, entry + run.odds_offset, run.odds_width));
  if (!IsOddsNumber(odds)) return {odds, 0};
  return {odds, static_cast<int>(codes::NumericValue(codes::Field(
                    source.record, entry + run.popularity_offset, run.popularity_width)))};
}

}  // namespace store
