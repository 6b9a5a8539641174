#include "verify/rate_text.h"

#include <cstdlib>

#include "codes/errors.h"

namespace verify {

std::string RateText(long long numerator, long long denominator, int width, int decimals) {
  if (denominator == 0) throw codes::LogicError("rate with a denominator of 0");
  codes::CheckIndex(decimals, 0, 6, "rate decimals");
  const bool negative = (numerator < 0) != (denominator < 0) && numerator != 0;
  unsigned long long num = static_cast<unsigned long long>(std::llabs(numerator));
  const unsigned long long den = static_cast<unsigned long long>(std::llabs(denominator));
  unsigned long long scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  // Twice the scaled quotient, plus one, halved: a remainder of exactly half rounds up.
  const unsigned long long scaled = (num * scale * 2 / den + 1) / 2;
  std::string digits = std::to_string(scaled / scale);
  if (decimals > 0) {
    std::string fraction = std::to_string(scaled % scale);
    fraction.insert(0, static_cast<size_t>(decimals) - fraction.size(), '0');
    digits += "." + fraction;
  }
  if (negative && scaled != 0) digits.insert(0, "-");
  if (static_cast<int>(digits.size()) < width) {
    digits.insert(0, static_cast<size_t>(width) - digits.size(), ' ');
  }
  return digits;
}

}  // namespace verify
