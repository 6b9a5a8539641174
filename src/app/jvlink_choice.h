#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ini_file.h"
#include "jvlink/hosted_jv_link.h"
#include "jvlink/jv_link.h"
#include "platform/clock.h"

namespace app {

/// Where the program's JV-Link comes from: the feed folder of the program folder, a
/// host program started as a child (the control under Wine), or a host over TCP.
enum class JVLinkSource { kFeed, kHost, kTcp };

/// "feed", "host" or "tcp" (any case); nullopt for anything else.
std::optional<JVLinkSource> ParseJVLinkSource(std::string_view text);

/// The [JVLink] section of the settings file.
struct JVLinkChoice {
  JVLinkSource source = JVLinkSource::kFeed;
  std::string host_command;  ///< HostCommand=; empty: wine with the host beside the program
  std::string wine_prefix;   ///< WinePrefix=; empty: WINEPREFIX of the environment
  std::string address;       ///< Address= host:port
  std::string token_file;    ///< TokenFile=
  int timeout_seconds = 120; ///< Timeout=: the time limit of an answer
};

/// Reads [JVLink]; an unknown Source= reads as feed.
JVLinkChoice ReadJVLinkChoice(const IniFile& ini);

/// Where the default host command looks for the host program, in order: beside the
/// executable, in lib/quorvane of its installation, and in the build tree's windows/
/// folder.
std::vector<std::filesystem::path> HostProgramCandidates(const std::filesystem::path& executable_folder);

/// What the program runs and knows about its surroundings when making the JV-Link.
struct JVLinkContext {
  std::filesystem::path feed_folder;
  std::filesystem::path executable_folder;
  const platform::Clock* clock = nullptr;  ///< for the feed folder's JV-Link
  std::string wineprefix_environment;      ///< WINEPREFIX, empty when not set
};

struct ChosenJVLink {
  std::unique_ptr<jvlink::JVLink> link;    ///< null when it cannot be made
  jvlink::HostedJVLink* hosted = nullptr;  ///< the same link when it goes through a host
  bool feed_missing = false;               ///< feed chosen and its folder is missing
  std::string problem;                     ///< why `link` is null (UTF-8)
};

/// The JV-Link the choice names. The window and the CLI both make theirs here.
ChosenJVLink MakeJVLink(const JVLinkChoice& choice, const JVLinkContext& context);

/// The host endpoint of a host or TCP choice; throws InputError when the token file
/// cannot be read.
jvlink::HostEndpoint HostEndpointOf(const JVLinkChoice& choice, const JVLinkContext& context);

/// A host's log line (UTF-8) as Shift-JIS for the error log, with the program's lead.
std::string HostLogLine(const std::string& line);
/// UTF-8 text as Shift-JIS; characters the code page lacks become "?".
std::string SjisOrQuestionMarks(const std::string& utf8);

}  // namespace app
