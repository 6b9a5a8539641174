#pragma once

#include <string>
#include <string_view>

namespace codes {

/// The race's entry restrictions from its 3-character symbol code (origin or sale,
/// sex, jockey designation), filled with full-width spaces to 24 bytes. Only the codes
/// JRA uses are known; any other code, "000" among them, gives 12 full-width spaces.
std::string RaceSymbolText(std::string_view code);

}  // namespace codes
