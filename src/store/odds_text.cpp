#include "store/odds_text.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

#include "codes/errors.h"
#include "codes/record_field.h"

namespace store {
namespace {

bool AllOf(std::string_view text, char c) {
  return std::all_of(text.begin(), text.end(), [c](char x) { return x == c; });
}

// Digits with at most one decimal point among them.
bool IsDecimalText(std::string_view text) {
  int points = 0;
  int digits = 0;
  for (char c : text) {
    if (c == '.') {
      ++points;
    } else if (c >= '0' && c <= '9') {
      ++digits;
    } else {
      return false;
    }
  }
  return points <= 1 && digits > 0;
}

// The odds of a field of digits only, as delivered ("0123" gives 12.3); nullopt for any
// other text. Up to 15 digits the integer is exact in a double, so the one division gives
// the same double as the general conversion below.
std::optional<double> PlainDigitsValue(std::string_view field) {
  if (field.empty() || field.size() > 15) return std::nullopt;
  long long tenths = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
    tenths = tenths * 10 + (c - '0');
  }
  return static_cast<double>(tenths) / 10;
}

}  // namespace

double OddsValue(std::string_view field) {
  // Nearly every field is plain digits: those need neither trimming nor the parser.
  if (const std::optional<double> plain = PlainDigitsValue(field)) return *plain;
  // The next most common: a combination of horses the race does not have.
  if (codes::IsBlank(field)) return kOddsBlank;
  // The cancellation marks fill the whole field; a shorter run of them is no number.
  if (!field.empty() && (AllOf(field, '-') || AllOf(field, '*'))) return kOddsScratched;
  const std::string_view text = codes::TrimBlanks(field);
  if (text.empty()) return kOddsBlank;
  double tenths = 0;
  const auto [end, error] =
      IsDecimalText(text) ? std::from_chars(text.data(), text.data() + text.size(), tenths,
                                            std::chars_format::fixed)
                          : std::from_chars_result{text.data(), std::errc::invalid_argument};
  if (error != std::errc{} || end != text.data() + text.size()) {
    throw codes::InputError("odds text \"" + std::string(field) +
                            "\" is neither a number, blank nor a cancellation mark");
  }
  // One correctly rounded division: "0123" gives the double nearest to 12.3.
  return tenths / 10;
}


}  // namespace store
