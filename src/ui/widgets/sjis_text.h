#pragma once

#include <QString>
#include <string>

namespace ui {

/// The core's Shift-JIS text as a QString for the screen. Bytes that do not convert
/// show as '?', so a damaged record never stops a screen from drawing.
QString FromSjis(const std::string& sjis);
/// A QString typed by the user as Shift-JIS for the core. codes::InputError when a
/// character has no Shift-JIS form.
std::string ToSjis(const QString& text);
/// A path of this file system (UTF-8 here) as a QString, and back.
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace ui
