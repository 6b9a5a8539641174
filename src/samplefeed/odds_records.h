#pragma once

#include <string>

#include "samplefeed/civil_date.h"
#include "samplefeed/odds_model.h"
#include "samplefeed/race_plan.h"

namespace samplefeed {

/// The odds kinds O1 (win, place, bracket) .. O6 (trifecta) and their record lengths.
constexpr int kOddsKinds = 6;
int OddsRecordLength(int kind);

/// Appends the odds record O`kind` (1..6) of `race` as `model` holds the betting,
/// announced at `announced` (its MMDDhhmm at positions 28-35, its date the creation
/// date). With `voided` the record carries no odds at all and its sale flags say the
/// sale was cancelled: the shape of deleted ("0") and cancelled ("9") records.
void AppendOddsRecord(std::string& out, int kind, const RacePlan& race, const OddsModel& model,
                      char data_kind, const FeedMoment& announced, bool voided = false);

/// The six records O1..O6 back to back.
void AppendOddsRecords(std::string& out, const RacePlan& race, const OddsModel& model,
                       char data_kind, const FeedMoment& announced);

}  // namespace samplefeed
