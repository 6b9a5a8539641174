#include "store/race_list.h"

#include "codes/course_text.h"
#include "codes/layouts/ra_layout.h"
#include "codes/pad_int_text.h"
#include "codes/record_field.h"

namespace store {

std::optional<std::string> RaceListItem(const RaRecord& ra) {
  const std::string_view year = ra.Field(codes::ra_layout::kYear);
  if (codes::IsBlank(year) || year == "0000") return std::nullopt;
  return codes::CourseText(ra.Field(codes::ra_layout::kCourse)) +
         codes::PadIntText(ra.Field(codes::ra_layout::kRaceNumber)) + "R";
}

std::vector<std::string> BuildRaceList(const RaceDay& day) {
  std::vector<std::string> items;
  for (const RaRecord& ra : day.RaRec) {
    if (std::optional<std::string> item = RaceListItem(ra)) items.push_back(std::move(*item));
  }
  return items;
}

}  // namespace store
