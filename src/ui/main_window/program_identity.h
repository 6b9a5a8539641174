#pragma once

namespace ui {

/// The sid given to JVInit: two registration codes and the product name, each followed by
/// "/", then the version text (kVersionText of the version box).
inline constexpr const char* kJVLinkSid = "QV000001/QV000002/Quorvane/Version.1.13";

}  // namespace ui
