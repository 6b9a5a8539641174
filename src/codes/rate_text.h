#pragma once

#include <string>

namespace codes {

/// The quotient numerator / denominator with `decimals` decimals, right-aligned in `width`
/// characters (wider when needed), as "%*.*f" would show the exact quotient with a half
/// rounded away from zero (四捨五入): RateText(1132500, 800, 7, 1) is " 1416.3".
///
/// For rates, shares and means of whole yen or whole counts: the return rate of a bet
/// (return × 100 over the total stake, "%7.1f"), the expected return of a table (sum of
/// returns × 100 over bets × total stake, "%7.1f"), the hit and return rates of the
/// verification statistics ("%5.1f") and every rate the verification export writes. The
/// quotient is worked out digit by digit in integers, so no value near a half can land on
/// the wrong side the way a double does. Odds and other numbers that are not quotients of
/// whole numbers keep their own formatting.
///
/// A quotient that rounds to zero carries no sign. Throws LogicError for a denominator of
/// 0 and for `decimals` outside 0..18.
std::string RateText(long long numerator, long long denominator, int width, int decimals);

}  // namespace codes
