#include "jvlink_argument.h"

#include <iostream>

#include "codes/cp932.h"
#include "commands.h"

namespace cli {

app::ChosenJVLink ChooseJVLink(const CliArgs& args, const std::filesystem::path& feed,
                               const platform::Clock& clock) {
  const app::IniFile ini(std::filesystem::path(args.home()) / "Quorvane.ini");
  app::JVLinkChoice choice = app::ReadJVLinkChoice(ini);
  if (auto word = args.Get("--jvlink")) {
    const auto source = app::ParseJVLinkSource(*word);
    if (!source) throw UsageError("--jvlink takes feed, host or tcp, not \"" + *word + "\"");
    choice.source = *source;
  }
  app::JVLinkContext context;
  context.feed_folder = feed;
  context.clock = &clock;
  context.executable_folder = std::filesystem::path(args.home());
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) context.executable_folder = self.parent_path();
  if (const char* prefix = std::getenv("WINEPREFIX")) context.wineprefix_environment = prefix;
  return app::MakeJVLink(choice, context);
}

int ReportMissingJVLink(const app::ChosenJVLink& chosen, const std::filesystem::path& feed) {
  if (chosen.feed_missing) {
    std::cerr << codes::SjisToUtf8(codes::Sj(
                     "JRA-VANのホームページより【JV-Link】を入手し、インストールしてください。"))
              << " (" << feed.string() << ")\n"
              << "No feed folder at " << feed.string()
              << ". Give the feed with --feed FEED, or write a sample one there: "
                 "quorvane-cli feed --out "
              << feed.string() << " --from 20240401 --days 60\n";
  } else {
    std::cerr << "quorvane-cli: no JV-Link: " << chosen.problem << "\n";
  }
  return 1;
}

void LogHostFailures(app::ChosenJVLink& chosen, app::Session& session) {
  if (!chosen.hosted) return;
  chosen.hosted->SetLog([&session](const std::string& line) {
    std::cerr << line << "\n";
    session.Store().TryAppendErrorLog(app::HostLogLine(line));
  });
}

}  // namespace cli
