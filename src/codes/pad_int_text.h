#pragma once

#include <string>
#include <string_view>

namespace codes {

/// The numeric value of a field right-aligned in as many positions as the field is long;
/// a value of 0 gives that many half-width spaces ("03" -> " 3", "00" -> "  ").
std::string PadIntText(std::string_view field);

}  // namespace codes
