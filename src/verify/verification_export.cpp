#include "verify/verification_export.h"

#include <chrono>

#include "bets/bet_table.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/record_field.h"
#include "store/day_prefix.h"
#include "store/line_files.h"

namespace verify {
namespace {

const std::string& TypeFileName(codes::BetType type) {
  static const std::string kNames[4] = {codes::Sj("馬連"), codes::Sj("馬単"), codes::Sj("３複"),
                                        codes::Sj("３単")};
  for (int t = 0; t < 4; ++t) {
    if (bets::BetTables::kOrder[t] == type) return kNames[t];
  }
  throw codes::LogicError("no verification file for this bet type");
}

void CheckDate(const std::string& text, const char* which) {
  if (text.size() != 8 || !codes::IsAllDigits(text)) {
    throw codes::InputError(std::string("the export range's ") + which +
                            " is not a date yyyymmdd: \"" + text + "\"");
  }
}

// Everything the export depends on, taken once when it starts: the date list, the rule
// book, and the settings file's lines, which give every worker the same stake split,
// amount and odds time and give the files their prefix.
ReplaySetup SetupOf(app::Session& session) {
  ReplaySetup setup;
  setup.program_folder = session.Store().ProgramFolder();
  setup.date_items = session.DateCombo.Items;
  setup.logic_unticked = session.Screen.LogicUnticked;
  setup.settings = session.Settings().Ini();
  setup.settings.HoldContents();
  setup.clock = &session.TheClock();
  setup.launcher = &session.TheLauncher();
  setup.companions = &session.Companions();
  return setup;
}

// The file-name prefix of the rule book the workers were given.
std::string PrefixOf(const ReplaySetup& setup) {
  app::Settings held(setup.settings.File());
  held.Ini() = setup.settings;
  return LogicPrefix(setup.logic_unticked, held.KaimeOption());
}

// The days in date order: failures noted, lines gathered per bet type.
std::array<std::vector<std::string>, 4> Merge(std::vector<DayExport>& days,
                                              ExportSummary& summary) {
  std::array<std::vector<std::string>, 4> lists;
  for (DayExport& day : days) {
    if (!day.loaded) {
      summary.failures.push_back({day.day, day.failure});
      continue;
    }
    ++summary.days_done;
    summary.races += day.races;
    summary.last_day = day.day;
    summary.last_item = day.races - 1;
    for (size_t t = 0; t < lists.size(); ++t) {
      for (std::string& line : day.lines[t]) lists[t].push_back(std::move(line));
    }
  }
  return lists;
}

// A file is written through its name + ".tmp", renamed over it when complete; a program
// killed in between leaves the temporary file behind. One that has not been written to
// for a minute belongs to no export still running (writing a file takes far less), so
// the next export removes it.
constexpr auto kAbandonedAfter = std::chrono::minutes(1);

void RemoveAbandonedTemporaryFiles(const std::filesystem::path& folder) {
  std::error_code ec;
  const auto now = std::filesystem::file_time_type::clock::now();
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (!name.ends_with(".csv.tmp") || !entry.is_regular_file(ec)) continue;
    const auto written = entry.last_write_time(ec);
    if (ec || now - written < kAbandonedAfter) continue;
    std::filesystem::remove(entry.path(), ec);
  }
}

void WriteFiles(app::Session& session, const ExportRequest& request, const std::string& prefix,
                const std::array<std::vector<std::string>, 4>& lists, ExportSummary& summary) {
  const std::filesystem::path folder = CsvFolder(session);
  bool any = false;
  for (const auto& lines : lists) any = any || !lines.empty();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw codes::InputError("cannot create the folder " + store::PathText(folder));
  RemoveAbandonedTemporaryFiles(folder);
  if (!any) return;
  for (size_t t = 0; t < lists.size(); ++t) {
    if (lists[t].empty()) continue;
    const std::string name =
        ExportFileName(prefix, bets::BetTables::kOrder[t], request.from, request.to);
    const std::filesystem::path path = folder / codes::SjisToUtf8(name);
    store::WriteFileAtomically(path, store::JoinLines(lists[t]));
    summary.files.push_back({name, path, static_cast<int>(lists[t].size())});
  }
}

}  // namespace

const std::string& ExportQuestion() {
  static const std::string kQuestion = codes::Sj(
      "集計を始めます。PCのスペックによっては多くの時間がかかる場合がありますが開始して"
      "よろしいですか？");
  return kQuestion;
}

std::string LogicPrefix(bool logic_unticked, int kaime_option) {
  if (logic_unticked) return "";
  return kaime_option == 2 ? "B_" : "A_";
}

std::string ExportFileName(const std::string& prefix, codes::BetType type, const std::string& from,
                           const std::string& to) {
  return prefix + TypeFileName(type) + from + "_" + to + ".csv";
}

std::vector<std::string> DaysInRange(const std::vector<std::string>& date_items,
                                     const std::string& from, const std::string& to) {
  std::vector<std::string> days;
  for (auto it = date_items.rbegin(); it != date_items.rend(); ++it) {
    if (!store::IsDayPrefix(*it)) continue;
    const std::string key = store::DateOfDayPrefix(*it);
    if (from <= key && key <= to) days.push_back(*it);
  }
  return days;
}

ExportSummary RunExport(app::Session& session, const ExportRequest& request,
                        const ReplayCallbacks& callbacks) {
  CheckDate(request.from, "first date");
  CheckDate(request.to, "last date");
  ExportSummary summary;
  if (!session.Prompts().Confirm(ExportQuestion())) return summary;
  const std::vector<std::string> days =
      DaysInRange(session.DateCombo.Items, request.from, request.to);
  summary.days = static_cast<int>(days.size());
  const ReplaySetup setup = SetupOf(session);
  std::optional<std::vector<DayExport>> replayed = ReplayDays(setup, days, request.jobs, callbacks);
  if (!replayed) {
    summary.outcome = ExportOutcome::kCancelled;
    return summary;
  }
  const auto lists = Merge(*replayed, summary);
  WriteFiles(session, request, PrefixOf(setup), lists, summary);
  summary.outcome = ExportOutcome::kDone;
  return summary;
}

void ShowLastProcessed(app::Session& session, const ExportSummary& summary) {
  if (summary.last_day.empty()) return;
  if (session.ChooseDate(summary.last_day) != app::LoadResult::kLoaded) return;
  const int items = static_cast<int>(session.DatList.Items.size());
  if (summary.last_item >= 0 && summary.last_item < items) session.SelectRace(summary.last_item);
}

std::filesystem::path CsvFolder(const app::Session& session) {
  return session.Store().ProgramFolder() / "csv";
}

}  // namespace verify
