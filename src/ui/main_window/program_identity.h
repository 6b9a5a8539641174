#pragma once

namespace ui {

/// The version text: in JV-Link's sid and in the version box.
inline constexpr const char* kVersionText = "Version.1.13";
/// The sid given to JVInit: two registration codes and the product name, each followed by
/// "/", then the version text.
inline constexpr const char* kJVLinkSid = "QV000001/QV000002/Quorvane/Version.1.13";

}  // namespace ui
