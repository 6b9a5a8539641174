#pragma once

#include <string>

#include "samplefeed/civil_date.h"
#include "samplefeed/race_plan.h"

namespace samplefeed {

/// TC post-time change (45 bytes): the race's new post time announced at `announced`.
void AppendPostTimeChange(std::string& out, const RacePlan& race, const FeedMoment& announced);

/// AV withdrawal notice (78 bytes) of horse number `horse`.
void AppendWithdrawalNotice(std::string& out, const RacePlan& race, int horse,
                            const FeedMoment& announced);

/// WE weather and going notice (42 bytes) of the race's racecourse. It names no race,
/// so its positions 26-27 hold the month of the announcement.
void AppendWeatherNotice(std::string& out, const RacePlan& race, const FeedMoment& announced);

/// UM horse master record (1609 bytes) of a runner: a kind the program never files.
void AppendHorseMaster(std::string& out, const RunnerPlan& runner, int created_ymd);

}  // namespace samplefeed
