#pragma once

#include <string>
#include <vector>

#include "samplefeed/odds_model.h"
#include "samplefeed/race_plan.h"

namespace samplefeed {

/// The entries a result pays for one bet type, as 0-based entries of the odds tables.
/// A dead heat pays every order the shared place allows: two horses sharing first
/// place give two win and two exacta entries, sharing second two quinella entries.
std::vector<int> PaidEntries(const RacePlan& race, const OddsModel& final_odds, Bet bet);

/// Appends the HR payout record (719 bytes) of a run race: the paid entries of every
/// bet type with their payouts from the final betting and their popularity, and the
/// refunds of a runner withdrawn after the betting opened.
void AppendPayoutRecord(std::string& out, const RacePlan& race, const OddsModel& final_odds,
                        char kind, int created_ymd);

}  // namespace samplefeed
