#include "codes/rate_text.h"

#include "codes/errors.h"

namespace codes {
namespace {

using Magnitude = unsigned long long;

constexpr int kMaxDecimals = 18;

// |value| without overflow, also for the most negative long long.
Magnitude MagnitudeOf(long long value) {
  return value < 0 ? Magnitude{0} - static_cast<Magnitude>(value) : static_cast<Magnitude>(value);
}

// The next decimal digit of remainder / divisor, leaving the new remainder. Ten times the
// remainder is built by ten additions reduced modulo the divisor, so a divisor near the
// top of the range cannot overflow.
char NextDigit(Magnitude& remainder, Magnitude divisor) {
  Magnitude scaled = 0;
  char digit = '0';
  for (int i = 0; i < 10; ++i) {
    if (remainder >= divisor - scaled) {
      scaled = remainder - (divisor - scaled);
      ++digit;
    } else {
      scaled += remainder;
    }
  }
  remainder = scaled;
  return digit;
}

// Adds one to the last digit of a digit string, carrying to the left.
void RoundUp(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

std::string RateText(long long numerator, long long denominator, int width, int decimals) {
  if (denominator == 0) {
    throw LogicError("a rate of " + std::to_string(numerator) + " over a denominator of 0");
  }
  if (decimals < 0 || decimals > kMaxDecimals) {
    throw LogicError("a rate with " + std::to_string(decimals) + " decimals (0.." +
                     std::to_string(kMaxDecimals) + " allowed)");
  }
  const Magnitude divisor = MagnitudeOf(denominator);
  Magnitude remainder = MagnitudeOf(numerator) % divisor;
  std::string digits = std::to_string(MagnitudeOf(numerator) / divisor);
  for (int i = 0; i < decimals; ++i) digits += NextDigit(remainder, divisor);
  // A half or more of the last place rounds away from zero: 2 × remainder ≥ divisor.
  if (remainder >= divisor - remainder) RoundUp(digits);

  const bool negative =
      (numerator < 0) != (denominator < 0) && digits.find_first_not_of('0') != std::string::npos;
  if (decimals > 0) digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
  if (negative) digits.insert(digits.begin(), '-');
  if (static_cast<int>(digits.size()) < width) {
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), ' ');
  }
  return digits;
}

}  // namespace codes
