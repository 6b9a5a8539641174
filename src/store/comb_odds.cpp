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

// A bet type's run of entries and its name in messages.
struct CombKind {
  const codes::odds_layout::OddsRun& run;
  const char* name;
};

CombKind KindOf(codes::BetType type) {
  switch (type) {
    case codes::BetType::UR:
      return {codes::odds_layout::kQuinella, "quinella combination"};
    case codes::BetType::UT:
      return {codes::odds_layout::kExacta, "exacta combination"};
    case codes::BetType::SRF:
      return {codes::odds_layout::kTrio, "trio combination"};
    case codes::BetType::SRT:
      return {codes::odds_layout::kTrifecta, "trifecta combination"};
    default:
      throw codes::LogicError("no odds record of this bet type");
  }
}

}  // namespace

const codes::odds_layout::OddsRun& CombOddsRunOf(codes::BetType type) { return KindOf(type).run; }

RaceCombOdds::RaceCombOdds(const RaceDay& day, int slot) : day_(day), slot_(slot) {
  codes::CheckIndex(slot, 0, kSlotCount - 1, "slot");
}

CombOdds RaceCombOdds::Of(codes::BetType type, int index) const {
  const CombKind kind = KindOf(type);
  const codes::odds_layout::OddsRun& run = kind.run;
  codes::CheckIndex(index, 1, run.count, kind.name);
  const CombSource source = SourceOf(day_, slot_, type);
  if (index > source.checked) return {};
  const double odds = OddsValue(codes::Field(source.record, run.OddsPos(index), run.odds_width));
  if (!IsOddsNumber(odds)) return {odds, 0};
  return {odds, codes::FieldInt(source.record, run.PopularityPos(index), run.popularity_width)};
}

}  // namespace store
