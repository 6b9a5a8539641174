#include "app/jvlink_choice.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "jvlink/feed_jv_link.h"

namespace app {
namespace {

constexpr std::string_view kSection = "JVLink";
constexpr const char* kHostProgram = "quorvane-jvlink-host.exe";
constexpr int kShortestTimeout = 1;
constexpr int kLongestTimeout = 24 * 3600;

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string FirstLineOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw codes::InputError("the token file " + file.string() + " cannot be read");
  std::string line;
  std::getline(in, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::vector<std::string> DefaultHostCommand(const std::filesystem::path& executable_folder) {
  const std::vector<std::filesystem::path> candidates = HostProgramCandidates(executable_folder);
  std::filesystem::path host = candidates.front();
  for (const std::filesystem::path& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) {
      host = candidate;
      break;
    }
  }
  return {"wine", host.string()};
}

}  // namespace

std::optional<JVLinkSource> ParseJVLinkSource(std::string_view text) {
  const std::string word = Lower(text);
  if (word == "feed") return JVLinkSource::kFeed;
  if (word == "host") return JVLinkSource::kHost;
  if (word == "tcp") return JVLinkSource::kTcp;
  return std::nullopt;
}

JVLinkChoice ReadJVLinkChoice(const IniFile& ini) {
  JVLinkChoice choice;
  choice.source =
      ParseJVLinkSource(ini.ReadString(kSection, "Source", "feed")).value_or(JVLinkSource::kFeed);
  choice.host_command = ini.ReadString(kSection, "HostCommand", "");
  choice.wine_prefix = ini.ReadString(kSection, "WinePrefix", "");
  choice.address = ini.ReadString(kSection, "Address", "");
  choice.token_file = ini.ReadString(kSection, "TokenFile", "");
  const int timeout = ini.ReadInteger(kSection, "Timeout", choice.timeout_seconds);
  if (timeout >= kShortestTimeout && timeout <= kLongestTimeout) choice.timeout_seconds = timeout;
  return choice;
}

std::vector<std::filesystem::path> HostProgramCandidates(
    const std::filesystem::path& executable_folder) {
  const std::filesystem::path& here = executable_folder;
  return {
      here / kHostProgram,
      here.parent_path() / "lib" / "quorvane" / kHostProgram,
      // quorvane-cli is built in <build>/tools/quorvane-cli, the window in <build>/src/ui/main_window.
      here.parent_path().parent_path() / "windows" / kHostProgram,
      here.parent_path().parent_path().parent_path() / "windows" / kHostProgram,
  };
}

jvlink::HostEndpoint HostEndpointOf(const JVLinkChoice& choice, const JVLinkContext& context) {
  jvlink::HostEndpoint endpoint;
  if (choice.source == JVLinkSource::kTcp) {
    endpoint.kind = jvlink::HostEndpoint::Kind::kTcp;
    endpoint.address = choice.address;
    if (!choice.token_file.empty()) endpoint.token = FirstLineOf(choice.token_file);
    return endpoint;
  }
  endpoint.argv = choice.host_command.empty() ? DefaultHostCommand(context.executable_folder)
                                              : jvlink::SplitCommandLine(choice.host_command);
  const std::string& prefix =
      choice.wine_prefix.empty() ? context.wineprefix_environment : choice.wine_prefix;
  if (!prefix.empty()) endpoint.environment.emplace_back("WINEPREFIX", prefix);
  return endpoint;
}

ChosenJVLink MakeJVLink(const JVLinkChoice& choice, const JVLinkContext& context) {
  ChosenJVLink chosen;
  if (choice.source == JVLinkSource::kFeed) {
    if (!jvlink::FeedJVLink::IsInstalled(context.feed_folder) || context.clock == nullptr) {
      chosen.feed_missing = true;
      chosen.problem = "no feed folder at " + context.feed_folder.string();
      return chosen;
    }
    chosen.link = std::make_unique<jvlink::FeedJVLink>(context.feed_folder, *context.clock);
    return chosen;
  }
  if (choice.source == JVLinkSource::kTcp && choice.address.empty()) {
    chosen.problem = "[JVLink] Source=tcp needs Address=host:port";
    return chosen;
  }
  jvlink::HostedOptions options;
  try {
    options.endpoint = HostEndpointOf(choice, context);
  } catch (const codes::InputError& error) {
    chosen.problem = error.what();
    return chosen;
  }
  options.answer_limit = std::chrono::seconds(choice.timeout_seconds);
  options.start_limit = std::max(options.answer_limit, std::chrono::milliseconds(std::chrono::seconds(60)));
  auto hosted = std::make_unique<jvlink::HostedJVLink>(std::move(options));
  chosen.hosted = hosted.get();
  chosen.link = std::move(hosted);
  return chosen;
}

std::string SjisOrQuestionMarks(const std::string& utf8) {
  try {
    return codes::Utf8ToSjis(utf8);
  } catch (const codes::InputError&) {
    // A path the code page cannot write keeps only its ASCII.
    std::string ascii;
    for (char c : utf8) ascii += static_cast<unsigned char>(c) < 0x80 ? c : '?';
    return ascii;
  }
}

std::string HostLogLine(const std::string& line) {
  return codes::Sj("JV-Linkホストの障害：") + SjisOrQuestionMarks(line);
}

}  // namespace app
