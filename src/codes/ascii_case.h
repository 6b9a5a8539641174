#pragma once

#include <string_view>

namespace codes {

/// True when two names are equal but for the case of the letters A-Z (file and folder
/// names, settings sections and keys).
bool SameAsciiName(std::string_view a, std::string_view b);

}  // namespace codes
