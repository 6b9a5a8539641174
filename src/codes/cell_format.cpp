#include "codes/cell_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "codes/record_field.h"

namespace codes {
namespace {

std::string PadLeft(std::string_view digits, int width) {
  std::string text;
  if (static_cast<int>(digits.size()) < width) {
    text.assign(static_cast<std::size_t>(width) - digits.size(), ' ');
  }
  text += digits;
  return text;
}

// A value that is the double nearest to a whole number of tenths (as every odds value
// is) as "%.1f" writes it: it lies so near those tenths that rounding it to one decimal
// gives them. nullopt for any other value.
std::optional<std::string> OneDecimalText(double value) {
  constexpr double kLimit = 1e15;  // tenths below this are exact in a double
  if (std::signbit(value) || !(value < kLimit / 10)) return std::nullopt;  // "-0.0" too
  const long long tenths = std::llround(value * 10);
  if (static_cast<double>(tenths) / 10 != value) return std::nullopt;
  std::string text = std::to_string(tenths / 10);
  text += '.';
  text += static_cast<char>('0' + tenths % 10);
  return text;
}

}  // namespace

std::string FormatInt(long long value, int width) {
  std::array<char, 32> buffer;  // only what to_chars writes is read
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return PadLeft({buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())}, width);
}

// std::to_chars rounds the exact binary value to nearest, as printf does, and never
// looks at the locale (the screens may set one with a decimal comma).
std::string FormatFixed(double value, int width, int precision) {
  if (precision == 1) {
    if (const std::optional<std::string> text = OneDecimalText(value)) return PadLeft(*text, width);
  }
  std::array<char, 400> buffer;  // only what to_chars writes is read
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, precision);
  return PadLeft({buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())}, width);
}

double CellNumber(std::string_view cell) {
  const std::string_view text = codes::TrimBlanks(cell);
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc{}) return 0;
  return value;
}

long long CellInt(std::string_view cell) { return codes::NumericValue(cell); }

}  // namespace codes
