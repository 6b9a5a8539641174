#include "app/session.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "analysis/race_selection.h"
#include "app/settings_companion_lookup.h"
#include "app/show_race.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/message_text.h"
#include "store/day_loader.h"
#include "store/day_prefix.h"
#include "store/fixed_records.h"
#include "store/folder_lock.h"
#include "store/odds_import.h"
#include "store/payout_import.h"

namespace app {
namespace {

// Everything a day load reads from files, read before anything in memory changes.
struct StagedDay {
  store::DayLoadRecords records;
  store::DayOddsFiles odds;
  std::vector<store::FixedRecordFile> previous_day_runners;
};

// The runner files of the race day before `day_prefix` in the date list (the next item);
// none when the day is the oldest or not in the list. They are read and checked here,
// before the load changes anything, so that a bad one cannot stop the load halfway.
std::vector<store::FixedRecordFile> PreviousDayRunners(const store::RecordStore& store,
                                                       const std::vector<std::string>& dates,
                                                       const std::string& day_prefix) {
  auto chosen = std::find(dates.begin(), dates.end(), day_prefix);
  if (chosen == dates.end() || chosen + 1 == dates.end()) return {};
  std::vector<store::FixedRecordFile> runners;
  for (const auto& file : store::DayRunnerFiles(store, *(chosen + 1))) {
    if (auto records = store::FixedRecordFile::Read(file, store::kSeLength)) {
      runners.push_back(std::move(*records));
    }
  }
  return runners;
}

// nullopt when the day has no day file. A text that is not a DayPrefix names no file of
// the store, so it is a day without day file too (and never becomes a path).
std::optional<StagedDay> ReadDay(const store::RecordStore& store,
                                 const std::vector<std::string>& dates,
                                 const std::string& day_prefix) {
  if (!store::IsDayPrefix(day_prefix)) return std::nullopt;
  std::optional<store::DayLoadRecords> records = store::ReadDayLoadRecords(store, day_prefix);
  if (!records) return std::nullopt;
  return StagedDay{std::move(*records), store::DayOddsFiles(store, day_prefix),
                   PreviousDayRunners(store, dates, day_prefix)};
}

// The day from its checked files: records, race list (returned), odds of every race,
// venues, race selection, previous-day counts, day-wide ranking, payout tables.
std::vector<std::string> BuildDay(store::RaceDay& day, const StagedDay& staged) {
  store::ApplyDayLoadRecords(day, staged.records);
  std::vector<std::string> race_list = store::BuildRaceList(day);
  for (int slot = 0; slot < store::kSlotCount; ++slot) {
    day.OzTargetSlot = slot;
    store::ImportOdds(day, staged.odds);
  }
  store::SetDayVenues(day);
  analysis::SelectRaces(day);
  analysis::ClearPreviousDay(day);
  if (!staged.previous_day_runners.empty()) {
    analysis::CountPreviousDay(day, staged.previous_day_runners);
  }
  analysis::RankFavouritesOfDay(day);
  store::Calc(day);
  return race_list;
}

}  // namespace

Session::Session(platform::UserPrompts& prompts, platform::Clock& clock, jvlink::JVLink* jv_link,
                 platform::Launcher& launcher, platform::CompanionLocator& companions,
                 const std::filesystem::path& program_folder)
    : prompts_(prompts),
      clock_(clock),
      jv_link_(jv_link),
      launcher_(launcher),
      companions_(companions),
      store_(program_folder, clock),
      settings_(store_.ProgramFolder() / "Quorvane.ini"),
      day_(std::make_unique<store::RaceDay>()) {
  Hooks.ShowRace = [this] { ShowRace(*this); };
  // A write that waits for another program says for whom, and the window stays alive.
  store_.SetLockWaitReport([this](const std::string& holder, bool changed) {
    if (changed) prompts_.SetStatus(kStatusLine, store::FolderLockWaitText(holder));
    prompts_.ProcessEvents();
  });
  settings_.SetBadValueReport([this](const std::string& message) {
    if (logged_bad_values_.insert(message).second) store_.TryAppendErrorLog(message);
  });
}

Session::~Session() = default;

void Session::Start() {
  logged_bad_values_.clear();
  LookUpCompanionFolders(settings_, companions_);
  store_.PrepareFolders();
  static const std::string kLogWarning = codes::Sj("警告：エラーログに書き込めません（");
  static const std::string kLogWarningEnd = codes::Sj("）");
  try {
    store_.StartErrorLog();
    error_log_started_ = true;
  } catch (const codes::InputError& e) {
    // A full disk must not keep the user from reading the days already stored.
    error_log_started_ = false;
    prompts_.SetStatus(kStatusLine, kLogWarning + codes::SjisMessageText(e.what()) + kLogWarningEnd);
  }
  BuildDateList();
}

void Session::BuildDateList() {
  DateCombo.Items = store::BuildDateList(store_);
  DateCombo.Text.clear();
}

LoadResult Session::ChooseDate(const std::string& day_prefix) {
  std::string before = DateCombo.Text;
  DateCombo.Text = day_prefix;
  const LoadResult result = LoadRaceDay();
  if (result == LoadResult::kRejected) DateCombo.Text = std::move(before);
  return result;
}

LoadResult Session::LoadRaceDay() {
  static const std::string kNoDayFileMessage = codes::Sj("データ作成が未完了のようです。");
  const std::string day_prefix = DateCombo.Text;
  logged_bad_values_.clear();
  std::optional<StagedDay> staged;
  try {
    staged = ReadDay(store_, DateCombo.Items, day_prefix);
  } catch (const codes::InputError& e) {
    ReportDamagedDay(e);
    return LoadResult::kRejected;
  }

  if (staged) {
    // Records that name no race of the day were left out; the log says which.
    for (const std::string& message : staged->records.races.dropped) {
      store_.TryAppendErrorLog(message);
    }
  }

  HideDay();
  day_->AsaFetched1.Fill(0);  // the morning-odds flags belong to the day before
  Run(Hooks.DayLoadStart);
  store::ResetRaceWork(*day_);
  if (!staged) {
    prompts_.Beep();
    prompts_.Inform(kNoDayFileMessage);
    return LoadResult::kNoDayFile;
  }

  try {
    DatList.Items = BuildDay(*day_, *staged);
    SetRaceStakeList();
    Run(Hooks.ScheduleSetup);
  } catch (const codes::InputError& e) {
    // An odds text that is no number: the load ends here, and no race of the half-loaded
    // day can be chosen.
    DatList.Items.clear();
    ReportDamagedDay(e);
    return LoadResult::kFailed;
  }

  if (!DatList.Items.empty()) {
    SelectRace(0);
    Run(Hooks.RefreshBetPages);
  }
  return LoadResult::kLoaded;
}

void Session::SelectRace(int item) {
  codes::CheckIndex(item, 0, static_cast<long long>(DatList.Items.size()) - 1, "race list item");
  DatList.ItemIndex = item;
  day_->CurrentSlot = item;
  PageControl1Visible = true;
  Run(Hooks.ShowRace);
}

void Session::ReportFailure(const std::exception& error) {
  prompts_.Beep();
  prompts_.Inform(codes::SjisMessageText(error.what()));
}

void Session::ReportDamagedDay(const std::exception& error) {
  // The message names the file first ("…/2024年05月04日05.jvSEr: record 1 …").
  const std::string_view what = error.what();
  const size_t end = what.find(": ");
  const std::string file =
      end == std::string_view::npos
          ? std::string()
          : std::filesystem::path(std::string(what.substr(0, end))).filename().string();
  const bool logged = store_.TryAppendErrorLog(codes::SjisMessageText(what));
  std::string text = codes::Sj("開催日データが壊れているため、この開催日は読み込めません。");
  if (file.find(".jv") != std::string::npos) {
    text = codes::Sj("開催日データのファイル「") + codes::SjisMessageText(file) +
           codes::Sj("」が壊れているため、この開催日は読み込めません。");
  }
  text += codes::Sj("\r\nJVデータ取得でデータを取り込み直してください。");
  if (logged) text += codes::Sj("\r\n（詳しい内容はErrorLog.txtに記録しました。）");
  prompts_.Beep();
  prompts_.Inform(text);
}

void Session::HideDay() {
  PageControl1Visible = false;
  DatList.Items.clear();
  DatList.ItemIndex = -1;
}

void Session::SetRaceStakeList() {
  const std::string amount = std::to_string(settings_.DefaultAmount());
  for (std::string& stake : day_->RaceStakeList) stake = amount;
}

void Session::Run(const std::function<void()>& hook) {
  if (hook) hook();
}

}  // namespace app
