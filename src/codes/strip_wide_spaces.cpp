#include "codes/strip_wide_spaces.h"

#include "codes/cp932.h"

namespace codes {

std::string StripWideSpaces(std::string_view text) {
  // Walked character by character: the bytes of a full-width space (81 40) also appear
  // across a character boundary, as in "メ@" (83 81 40), and those must not be cut.
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const bool wide = IsSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    const std::size_t length = wide ? 2 : 1;
    const std::string_view character = text.substr(i, length);
    if (character != "\x81\x40") result += character;
    i += length;
  }
  return result;
}

}  // namespace codes
