#pragma once

#include <string>

namespace platform {

/// Finds the install folder of a companion program from the system's records of
/// installed programs. Returns an empty text when there is none.
class CompanionLocator {
 public:
  virtual ~CompanionLocator() = default;
  /// `uninstall_key` names the companion's uninstall entry.
  virtual std::string InstallFolder(const std::string& uninstall_key) const = 0;
};

/// This platform keeps no such records: every look-up finds nothing.
class NoCompanionLocator : public CompanionLocator {
 public:
  std::string InstallFolder(const std::string&) const override { return {}; }
};

}  // namespace platform
