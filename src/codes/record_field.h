#pragma once

#include <string_view>

#include "codes/layouts/field_position.h"

namespace codes {

/// Bytes [pos, pos + len) of a record, 1-based as in the JV-Data layouts. A field
/// that runs past the end of the record is cut there (empty when it starts past it).
std::string_view Field(std::string_view record, int pos, int len);

/// Numeric reading of a field: leading half-width spaces skipped, an optional
/// sign, then digits up to the first other character; no digits gives 0.
/// "005" and "5 " both give 5.
long long NumericValue(std::string_view field);

/// NumericValue(Field(record, pos, len)) as an int.
int FieldInt(std::string_view record, int pos, int len);

/// The same, for a field named in a record layout.
inline std::string_view Field(std::string_view record, FieldSpec field) {
  return Field(record, field.pos, field.len);
}
inline int FieldInt(std::string_view record, FieldSpec field) {
  return FieldInt(record, field.pos, field.len);
}

/// True when the text is empty or only half-width spaces.
bool IsBlank(std::string_view text);

/// True when the text is non-empty and only the digits 0-9.
bool IsAllDigits(std::string_view text);

/// The text without leading and trailing half-width spaces.
std::string_view TrimBlanks(std::string_view text);

}  // namespace codes
