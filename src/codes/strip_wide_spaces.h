#pragma once

#include <string>
#include <string_view>

namespace codes {

/// The Shift-JIS text without its full-width spaces ("　"); half-width spaces stay.
std::string StripWideSpaces(std::string_view text);

}  // namespace codes
