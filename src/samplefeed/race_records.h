#pragma once

#include <string>

#include "samplefeed/odds_model.h"
#include "samplefeed/race_plan.h"

namespace samplefeed {

/// What a race record tells at its stage of the week: the entries before the draw
/// (data kind "1": no horse or bracket numbers yet), the race card ("2"), or the result
/// ("3".."7": placings, times, the final odds and popularity).
enum class RaceStage { kEntries, kCard, kResult };

/// Appends the RA race-details record (1272 bytes) of `race`.
void AppendRaceRecord(std::string& out, const RacePlan& race, char kind, int created_ymd,
                      RaceStage stage);

/// Appends the SE runner record (555 bytes) of horse number `horse`. At the result
/// stage `final_odds` holds the betting at the close (win odds and popularity).
void AppendRunnerRecord(std::string& out, const RacePlan& race, int horse, char kind,
                        int created_ymd, RaceStage stage, const OddsModel* final_odds);

}  // namespace samplefeed
