#pragma once

namespace codes {

/// Where a field sits in a JV-Data record: its 1-based byte position and its length in
/// bytes, as JRA-VAN's record layouts give them.
struct FieldSpec {
  int pos = 0;
  int len = 0;
  /// The field `offset` bytes further on (the entries of a repeated field).
  constexpr FieldSpec At(int offset) const { return FieldSpec{pos + offset, len}; }
  /// The first `length` bytes of the field.
  constexpr FieldSpec First(int length) const { return FieldSpec{pos, length}; }
};

}  // namespace codes
