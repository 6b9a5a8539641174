#pragma once

namespace analysis {

/// True when `higher` − `lower` reaches 2.3 the way the race selection has always
/// measured an odds gap: the difference of the two doubles rounded to 64 significant
/// bits (x87 extended precision) and compared with 2.3 held in that precision. Odds
/// values are tenths divided by 10, so 12.3 − 10.0 counts (its doubles differ by a
/// little over 2.3) while 3.8 − 1.5 does not (a little under). Computed exactly with
/// integers, so every platform gives the same answer. Both odds must be above 0.
bool ReachesOddsGap(double higher, double lower);

}  // namespace analysis
