#pragma once

#include "samplefeed/feed_random.h"
#include "samplefeed/race_plan.h"

namespace samplefeed {

/// Draws the result of a planned race from its runners' abilities: the order in which
/// the starters cross the line (each next horse chosen with probability in proportion
/// to its strength among those left), now and then a dead heat, the times and the
/// last 600 m. Fills placing, crossing, time_tenths, last3f_tenths, dead_heat_place.
void DrawResult(RacePlan& race, FeedRandom& random);

}  // namespace samplefeed
