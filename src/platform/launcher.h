#pragma once

#include <string>

namespace platform {

/// Shell "open": a document with its viewer, or an executable with a parameter.
class Launcher {
 public:
  virtual ~Launcher() = default;
  /// Starts `program` with one `parameter` (may be empty). Paths and the parameter
  /// are in the file system's encoding (UTF-8 here). False when it could not start.
  virtual bool Open(const std::string& program, const std::string& parameter) = 0;
};

/// Starts the program as a detached process when it exists and is executable.
class ProcessLauncher : public Launcher {
 public:
  bool Open(const std::string& program, const std::string& parameter) override;
};

}  // namespace platform
