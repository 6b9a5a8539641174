#include "store/add_minutes.h"

#include <cstdio>

#include "codes/record_field.h"

namespace store {

std::string AddMinutes(std::string_view hhmm, int minutes) {
  if (codes::IsBlank(hhmm)) return {};
  const long long hours = codes::NumericValue(codes::Field(hhmm, 1, 2));
  const long long mins = codes::NumericValue(codes::Field(hhmm, 3, 2));
  const long long v = hours * 60 + mins + minutes;
  char text[48];
  std::snprintf(text, sizeof text, "%02lld%02lld", v / 60, v % 60);
  return text;
}

}  // namespace store
