#include "analysis/race_facts.h"

#include <string>

#include "codes/errors.h"
#include "codes/layouts/ra_layout.h"
#include "codes/record_field.h"

namespace analysis {

bool IsListedRace(const store::RaceDay& day, int slot) {
  const std::string_view year = day.RaRec[slot].Field(codes::ra_layout::kYear);
  return !codes::IsBlank(year) && year != "0000";
}

std::string_view VenueCodeOf(const store::RaceDay& day, int slot) {
  return day.RaRec[slot].Field(codes::ra_layout::kCourse);
}

std::optional<int> RunnerOfRank(const store::RaceDay& day, int slot, int rank) {
  const store::RaceWork& work = day.Work[slot];
  const int n = store::RegisteredRunners(day, slot);
  for (int k = 0; k < n; ++k) {
    if (work.AsaWinRank[k] == rank) return k;
  }
  return std::nullopt;
}

double OddsOfRank(const store::RaceDay& day, int slot, int rank) {
  const std::optional<int> k = RunnerOfRank(day, slot, rank);
  return k ? day.Work[slot].AsaWinOdds[*k] : 0.0;
}

}  // namespace analysis
