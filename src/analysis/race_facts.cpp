#include "analysis/race_facts.h"

#include <string>

#include "codes/errors.h"
#include "codes/record_field.h"

namespace analysis {

bool IsListedRace(const store::RaceDay& day, int slot) {
  const std::string_view year = day.RaRec[slot].Field(12, 4);
  return !codes::IsBlank(year) && year != "0000";
}

std::string_view VenueCodeOf(const store::RaceDay& day, int slot) {
  return day.RaRec[slot].Field(20, 2);
}

int RegisteredRunners(const store::RaceDay& day, int slot) {
  const int n = day.RaRec[slot].Int(882, 2);
  if (n > store::kRunnerCount) {
    throw codes::InputError("race of slot " + std::to_string(slot) + " has " + std::to_string(n) +
                            " registered runners; at most " +
                            std::to_string(store::kRunnerCount) + " can be held");
  }
  return n;
}

std::optional<int> RunnerOfRank(const store::RaceDay& day, int slot, int rank) {
  const store::RaceWork& work = day.Work[slot];
  const int n = RegisteredRunners(day, slot);
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
