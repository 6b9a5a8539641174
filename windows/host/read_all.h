#pragma once

#include <string>

#include "jvlink/jv_link.h"

namespace winhost {

/// --read-all: the control's own reading speed, with no program attached. Opens
/// `dataspec` from `fromtime` as a stored pull does, waits out the download, then reads
/// every record through the control's operations and says how many records and bytes
/// it read and how long that took. No pull through the host can be faster than this,
/// so it tells what the host adds from what the control itself costs.
/// Returns 0, or kReadAllFailed when the control refuses or fails (said why).
int ReadAll(jvlink::JVLink& control, const std::string& dataspec, const std::string& fromtime);

constexpr int kReadAllFailed = 5;

}  // namespace winhost
