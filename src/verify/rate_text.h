#pragma once

#include <string>

namespace verify {

/// numerator / denominator with `decimals` decimals, right-aligned in `width` characters
/// as "%*.*f" writes it, computed in whole numbers and rounding a half away from zero
/// (四捨五入). Every rate of the statistics goes through here: the hit rate is
/// RateText(hits × 100, count, 5, 1), the return rate RateText(returned × 100, stake, 5, 1).
/// LogicError when the denominator is 0.
std::string RateText(long long numerator, long long denominator, int width, int decimals);

}  // namespace verify
