#pragma once

#include <QString>
#include <string>

#include "codes/cp932.h"

namespace ui::verify {

/// A Shift-JIS text of the core for the screen; bytes that do not convert show as '?'.
inline QString FromSjis(const std::string& sjis) {
  return QString::fromStdString(codes::SjisToUtf8Lenient(sjis));
}

/// A screen text for the core; InputError when it has no Shift-JIS spelling.
inline std::string ToSjis(const QString& text) { return codes::Utf8ToSjis(text.toStdString()); }

}  // namespace ui::verify
