#pragma once

// "CSV出力" of the verification window: every race of every stored day in a range is
// shown with the ticked rule book, and each bet table with a stake adds one line to the
// file of its bet type under csv/.
//
//   verify::ExportRequest request{"20230101", "20231231", 0};
//   verify::ExportSummary summary = verify::RunExport(session, request, callbacks);
//   if (summary.outcome == verify::ExportOutcome::kDone) verify::ShowLastProcessed(session,
//   summary);

#include <filesystem>
#include <string>
#include <vector>

#include "app/session.h"
#include "verify/parallel_replay.h"

namespace verify {

/// The range "■取込ﾃﾞｰﾀ範囲" as "yyyymmdd" texts (both ends included) and the number of
/// workers (0: every core).
struct ExportRequest {
  std::string from;
  std::string to;
  int jobs = 0;
};

enum class ExportOutcome {
  kDeclined,   ///< the question was answered No: nothing done
  kCancelled,  ///< stopped by the user: no file written, earlier files as they were
  kDone,
};

/// A day of the range that was skipped, with the message its load showed (Shift-JIS).
struct DayFailure {
  std::string day;
  std::string message;
};

/// A file written: its name (Shift-JIS), its path and its number of lines.
struct ExportFile {
  std::string name;
  std::filesystem::path path;
  int lines = 0;
};

struct ExportSummary {
  ExportOutcome outcome = ExportOutcome::kDeclined;
  int days = 0;       ///< days of the range in the date list
  int days_done = 0;  ///< of which loaded and replayed
  int races = 0;
  std::vector<DayFailure> failures;
  std::vector<ExportFile> files;
  /// The last day replayed and its last race-list item: what the main window shows
  /// afterwards (empty, -1 when none).
  std::string last_day;
  int last_item = -1;
};

/// The question asked before an export starts (Shift-JIS).
const std::string& ExportQuestion();

/// The file-name prefix of the ticked rule book: "A_" for Logic A (option 1), "B_" for
/// Logic B (option 2), or empty when neither is ticked.
std::string LogicPrefix(bool logic_unticked, int kaime_option);

/// The file of a bet type (UR, UT, SRF, SRT) for the range, Shift-JIS:
/// prefix + "馬連"/"馬単"/"３複"/"３単" + from + "_" + to + ".csv".
std::string ExportFileName(const std::string& prefix, codes::BetType type, const std::string& from,
                           const std::string& to);

/// The days of the date list whose date lies in the range, oldest first.
std::vector<std::string> DaysInRange(const std::vector<std::string>& date_items,
                                     const std::string& from, const std::string& to);

/// The export: asks ExportQuestion() through the session's prompts (No: kDeclined);
/// takes the date list, the rule book and the settings as they are at that moment (a
/// choice made while it runs counts from the next export on: the files are named after
/// the rule book their lines were made with); replays the days of the range on the
/// workers; unless cancelled, creates csv/ under the
/// ProgramFolder and replaces each bet type's file that has lines (atomically), writing
/// none for a type without lines. The session itself is not changed. InputError when the
/// range is not two dates yyyymmdd or a file cannot be written.
ExportSummary RunExport(app::Session& session, const ExportRequest& request,
                        const ReplayCallbacks& callbacks);

/// After an export: the main window picks the last replayed day and selects its last race.
void ShowLastProcessed(app::Session& session, const ExportSummary& summary);

/// The folder of the verification files: csv/ under the ProgramFolder.
std::filesystem::path CsvFolder(const app::Session& session);

}  // namespace verify
