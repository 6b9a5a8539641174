#include <iostream>
#include <optional>
#include <string>

#include "cli_session.h"
#include "codes/cp932.h"
#include "codes/record_field.h"
#include "commands.h"
#include "verify/verification_export.h"

namespace cli {
namespace {

std::string DateArgument(const CliArgs& args, const std::string& name) {
  const std::string text = args.Require(name);
  if (text.size() != 8 || !codes::IsAllDigits(text)) {
    throw UsageError(name + " takes a date YYYYMMDD, not \"" + text + "\"");
  }
  return text;
}

// The menu choice, made before the export as the user ticks it (and kept in the settings).
void ApplyLogic(app::Session& session, const std::optional<std::string>& logic) {
  if (!logic) return;
  session.Screen.LogicUnticked = *logic == "none";
  if (*logic == "A") session.Settings().SetKaimeOption(1);
  if (*logic == "B") session.Settings().SetKaimeOption(2);
}

void PrintProgress(const verify::ReplayProgress& progress, int& printed) {
  for (const std::string& day : progress.finished) {
    std::cerr << "[" << ++printed << "/" << progress.total << "] " << codes::SjisToUtf8Lenient(day)
              << "\n";
  }
}

void PrintSummary(const verify::ExportSummary& summary) {
  for (const verify::DayFailure& failure : summary.failures) {
    std::cerr << "skipped " << codes::SjisToUtf8Lenient(failure.day) << ": "
              << codes::SjisToUtf8Lenient(failure.message) << "\n";
  }
  std::cerr << summary.days_done << " of " << summary.days << " days, " << summary.races
            << " races\n";
  for (const verify::ExportFile& file : summary.files) {
    std::cerr << "wrote csv/" << codes::SjisToUtf8Lenient(file.name) << " (" << file.lines
              << " lines)\n";
  }
  if (summary.files.empty()) std::cerr << "no race had bets: no file written\n";
}

}  // namespace

// "CSV出力" of the verification window over the days of the range, then the main window
// shows the last day and race replayed, as after the window's export.
int RunExport(const CliArgs& args) {
  args.Expect({"--from", "--to", "--logic", "--jobs"}, {"--yes"});
  verify::ExportRequest request;
  request.from = DateArgument(args, "--from");
  request.to = DateArgument(args, "--to");
  const std::optional<std::string> logic = args.Get("--logic");
  if (logic && *logic != "A" && *logic != "B" && *logic != "none") {
    throw UsageError("--logic takes A, B or none, not \"" + *logic + "\"");
  }
  if (auto jobs = args.GetInt("--jobs")) {
    if (*jobs < 1 || *jobs > 256) throw UsageError("--jobs takes 1..256 workers");
    request.jobs = static_cast<int>(*jobs);
  }

  CliSession cli(args, args.Has("--yes"));
  app::Session& session = cli.session();
  ApplyLogic(session, logic);
  int printed = 0;
  verify::ReplayCallbacks callbacks;
  callbacks.progress = [&](const verify::ReplayProgress& p) { PrintProgress(p, printed); };
  const verify::ExportSummary summary = verify::RunExport(session, request, callbacks);
  if (summary.outcome != verify::ExportOutcome::kDone) return 0;
  PrintSummary(summary);
  verify::ShowLastProcessed(session, summary);
  return 0;
}

}  // namespace cli
