#pragma once

#include <string>
#include <string_view>

namespace codes {

/// An integer right-aligned in `width` characters, as "%*d" writes it (wider when needed).
std::string FormatInt(long long value, int width);

/// A number with `precision` decimals right-aligned in `width` characters, as "%*.*f"
/// writes it; independent of the process locale.
std::string FormatFixed(double value, int width, int precision);

/// The number a cell shows ("   12.3", "  800"): blanks around it are ignored; 0 when the
/// cell holds no number.
double CellNumber(std::string_view cell);

/// The integer a cell shows: leading blanks skipped, digits up to the first other
/// character, 0 without digits.
long long CellInt(std::string_view cell);

}  // namespace codes
