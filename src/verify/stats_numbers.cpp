#include "verify/stats_numbers.h"

#include "codes/record_field.h"

namespace verify {
namespace {

// Maximum digits read before a cell counts as no number; keeps every sum in range.
constexpr size_t kMaxDigits = 15;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Strips the blanks and the sign; false when nothing is left.
bool Unsigned(std::string_view& text, bool& negative) {
  text = codes::TrimBlanks(text);
  negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  return !text.empty();
}

}  // namespace

long long CellInteger(std::string_view cell) {
  bool negative = false;
  if (!Unsigned(cell, negative) || cell.size() > kMaxDigits) return 0;
  long long value = 0;
  for (char c : cell) {
    if (!IsDigit(c)) return 0;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

long long CellMillionths(std::string_view cell) {
  bool negative = false;
  if (!Unsigned(cell, negative)) return 0;
  const size_t point = cell.find('.');
  const std::string_view whole = cell.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : cell.substr(point + 1);
  if ((whole.empty() && fraction.empty()) || whole.size() > kMaxDigits - 6) return 0;
  long long value = 0;
  for (char c : whole) {
    if (!IsDigit(c)) return 0;
    value = value * 10 + (c - '0');
  }
  value *= 1000000;
  long long unit = 100000;
  for (char c : fraction) {
    if (!IsDigit(c)) return 0;
    value += (c - '0') * unit;
    unit /= 10;
  }
  return negative ? -value : value;
}

std::string DateKey(std::string_view date_cell) {
  auto part = [&](size_t pos, size_t len) {
    return pos < date_cell.size() ? date_cell.substr(pos, len) : std::string_view{};
  };
  std::string key(part(0, 4));
  key += part(6, 2);
  key += part(10, 2);
  return key;
}

}  // namespace verify
