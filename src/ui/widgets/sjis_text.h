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
/// An error's message (UTF-8) as Shift-JIS for the prompts; a character without a
/// Shift-JIS form shows as '?', so reporting an error never fails itself.
std::string SjisMessage(const char* utf8);
/// A path of this file system (UTF-8 here) as a QString, and back.
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace ui
