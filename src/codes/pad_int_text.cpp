#include "codes/pad_int_text.h"

#include <string>

#include "codes/record_field.h"

namespace codes {

std::string PadIntText(std::string_view field) {
  const std::size_t width = field.size();
  const long long value = NumericValue(field);
  if (value == 0) return std::string(width, ' ');
  std::string digits = std::to_string(value);
  // A value wider than the field is written whole, as a "%*d" format would.
  if (digits.size() >= width) return digits;
  return std::string(width - digits.size(), ' ') + digits;
}

}  // namespace codes
