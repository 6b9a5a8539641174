#include "store/day_venues.h"

#include <algorithm>

#include "codes/errors.h"
#include "codes/layouts/ra_layout.h"
#include "codes/record_field.h"

namespace store {

std::vector<std::string> VenueCodesOf(const std::vector<std::string_view>& ra_records) {
  std::vector<std::string> codes;
  for (std::string_view ra : ra_records) {
    if (codes::FieldInt(ra, codes::ra_layout::kRaceNumber) > 0)
      codes.emplace_back(codes::Field(ra, codes::ra_layout::kCourse));
  }
  std::sort(codes.begin(), codes.end());
  codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
  return codes;
}

void SetDayVenues(RaceDay& day) {
  std::vector<std::string_view> ra;
  for (const RaRecord& r : day.RaRec) ra.push_back(r.Text());
  const std::vector<std::string> venues = VenueCodesOf(ra);
  if (venues.size() > static_cast<size_t>(kVenueCount)) {
    throw codes::InputError("the race day has races at " + std::to_string(venues.size()) +
                            " racecourses; it holds at most " + std::to_string(kVenueCount));
  }
  for (int position = 1; position <= kVenueCount; ++position) {
    const size_t i = static_cast<size_t>(position - 1);
    day.DayVenues[position] = i < venues.size() ? venues[i] : std::string();
  }
}

}  // namespace store
