#pragma once

#include <string>
#include <string_view>

namespace codes {

/// Shift-JIS (code page 932) <-> UTF-8. The core keeps all text as CP932 bytes;
/// these two are used only at the edges: file names, screens, the CLI's output.
/// Bytes that do not convert raise InputError, except in the lenient variants.
std::string Utf8ToSjis(std::string_view utf8);
std::string SjisToUtf8(std::string_view sjis);

/// Converts what converts and replaces each unconvertible byte by '?'. For
/// showing garbled record text to a user; never for names or keys.
std::string SjisToUtf8Lenient(std::string_view sjis);

/// A UTF-8 literal of the source, converted to CP932 once per call site:
/// `static const std::string kText = codes::Sj("データ");` or `codes::Sj(...)` inline
/// where speed does not matter.
inline std::string Sj(std::string_view utf8) { return Utf8ToSjis(utf8); }

/// True when the byte begins a two-byte Shift-JIS character.
constexpr bool IsSjisLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace codes
