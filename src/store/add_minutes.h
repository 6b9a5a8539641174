#pragma once

#include <string>
#include <string_view>

namespace store {

/// Moves a time of day "hhmm" by `minutes` (negative moves it back): "0950" by -35 gives
/// "0915". A blank text gives the empty text, so a race without a post time has no
/// schedule offset. The hours are not wrapped at midnight: the result is only ever
/// compared as text with other times of the same day.
std::string AddMinutes(std::string_view hhmm, int minutes);

}  // namespace store
