#include "support/comb_odds_writer.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "store/comb_odds.h"

namespace testsupport {
namespace {

std::string OddsText(double odds, int width) {
  if (odds == store::kOddsBlank) return std::string(static_cast<size_t>(width), ' ');
  if (odds == store::kOddsScratched) return std::string(static_cast<size_t>(width), '-');
  char text[32];
  std::snprintf(text, sizeof text, "%0*lld", width, std::llround(odds * 10));
  if (static_cast<int>(std::string(text).size()) != width) {
    throw std::invalid_argument("odds " + std::to_string(odds) + " too wide for the field");
  }
  return text;
}

}  // namespace

void PutCombOdds(store::RaceDay& day, int slot, codes::BetType type, int index, double odds,
                 int popularity) {
  const codes::odds_layout::OddsRun& run = store::CombOddsRunOf(type);
  char pop[16];
  std::snprintf(pop, sizeof pop, "%0*d", run.popularity_width, popularity);
  const std::string odds_text = OddsText(odds, run.odds_width);
  store::CheckedCombOdds& checked = day.Work[slot].CombOddsChecked;
  const auto put = [&](auto& record, int& count) {
    record.Put(run.OddsPos(index), odds_text);
    record.Put(run.PopularityPos(index), pop);
    count = run.count;
  };
  switch (type) {
    case codes::BetType::UR:
      return put(day.O2aRec[slot], checked.UR);
    case codes::BetType::UT:
      return put(day.O4aRec[slot], checked.UT);
    case codes::BetType::SRF:
      return put(day.O5aRec[slot], checked.SRF);
    default:
      return put(day.O6aRec[slot], checked.SRT);
  }
}

}  // namespace testsupport
