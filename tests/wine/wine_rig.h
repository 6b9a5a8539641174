#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>

#include "jvlink/hosted_jv_link.h"

namespace testsupport {

/// Sets the environment every Wine run of the host needs: the prefix the fixture made
/// (with the stand-in registered), no Wine chatter, no display, and the feed folder the
/// stand-in serves.
void UseStandinPrefix(const std::filesystem::path& feed);

/// Options of a hosted JV-Link that starts the built host under Wine.
jvlink::HostedOptions WineHostOptions();

/// Every file under `folder` by its relative path, with its bytes.
std::map<std::string, std::string> FilesUnder(const std::filesystem::path& folder);

/// The host listening on TCP as its own process, stopped when this is destroyed.
class ListeningHost {
 public:
  /// Starts `wine host --listen 127.0.0.1:0 --token-file token_file` and waits until it
  /// says its port (false from Started() when it does not within a minute).
  ListeningHost(const std::filesystem::path& token_file, const std::filesystem::path& log);
  ~ListeningHost();
  ListeningHost(const ListeningHost&) = delete;
  ListeningHost& operator=(const ListeningHost&) = delete;

  bool Started() const { return port_ > 0; }
  std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

}  // namespace testsupport
