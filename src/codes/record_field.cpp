#include "codes/record_field.h"

namespace codes {

std::string_view Field(std::string_view record, int pos, int len) {
  if (pos < 1 || len <= 0) return {};
  size_t start = static_cast<size_t>(pos - 1);
  if (start >= record.size()) return {};
  return record.substr(start, static_cast<size_t>(len));
}

long long NumericValue(std::string_view field) {
  size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  long long value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    value = value * 10 + (field[i] - '0');
  }
  return negative ? -value : value;
}

int FieldInt(std::string_view record, int pos, int len) {
  return static_cast<int>(NumericValue(Field(record, pos, len)));
}

bool IsBlank(std::string_view text) {
  for (char c : text) {
    if (c != ' ') return false;
  }
  return true;
}

bool IsAllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return text.substr(b, e - b);
}

}  // namespace codes
