#include "store/race_list.h"

#include "codes/course_text.h"
#include "codes/pad_int_text.h"
#include "codes/record_field.h"

namespace store {

std::optional<std::string> RaceListItem(const RaRecord& ra) {
  const std::string_view year = ra.Field(12, 4);
  if (codes::IsBlank(year) || year == "0000") return std::nullopt;
  return codes::CourseText(ra.Field(20, 2)) + codes::PadIntText(ra.Field(26, 2)) + "R";
}

std::vector<std::string> BuildRaceList(const RaceDay& day) {
  std::vector<std::string> items;
  for (const RaRecord& ra : day.RaRec) {
    if (std::optional<std::string> item = RaceListItem(ra)) items.push_back(std::move(*item));
  }
  return items;
}

}  // namespace store
