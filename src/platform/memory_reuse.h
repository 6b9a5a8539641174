#pragma once

namespace platform {

/// Asks the allocator to keep memory the program frees for its own next use instead of
/// handing it back to the system at once. A run over many race days reads megabytes of
/// odds files for each day and frees them after it; handed back, every page of the next
/// day's files is a fresh page fault, and more so with a worker on each core. Call once
/// at start-up, before any thread starts. Does nothing where the allocator has no such
/// setting.
void KeepFreedMemoryForReuse();

}  // namespace platform
