#pragma once

#include <string>
#include <string_view>

namespace codes {

/// Two-character name of a racecourse or country code, always 4 bytes of Shift-JIS.
/// The code is matched exactly; an unknown code gives four half-width spaces.
std::string CourseText(std::string_view code);

}  // namespace codes
