#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/settings.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "platform/user_prompts.h"
#include "screens/race_screen.h"
#include "store/race_day.h"
#include "store/record_store.h"

namespace jvlink {
class JVLink;
}

namespace app {

/// The date drop-down (`DateCombo`): DayPrefix items, newest first, and the chosen text.
struct DateComboState {
  std::vector<std::string> Items;  ///< Shift-JIS
  std::string Text;                ///< the chosen date, Shift-JIS; a day load reads it
};

/// The race list (`DatList`): item i is RaceSlot i; ItemIndex -1 when nothing is selected.
struct DatListState {
  std::vector<std::string> Items;  ///< Shift-JIS, "東京 1R"
  int ItemIndex = -1;
};

/// How a day load ended.
enum class LoadResult {
  kLoaded,     ///< the day is in memory and its first race shown (when it has races)
  kNoDayFile,  ///< the day file is missing: message shown, race list empty, work area hidden
  kRejected,   ///< bad input found before anything changed: message shown, the day before stays
  kFailed,     ///< bad input stopped the load midway: message shown, race list empty
};

/// Steps of the day load that other parts of the program carry out. The Session sets
/// ShowRace itself; the timer steps stay empty, and do nothing, until the part that
/// runs the timers sets them. They run at fixed points of LoadRaceDay and SelectRace:
///  - DayLoadStart: first step of every load, after the work area is hidden and the race
///    list cleared (result timer off, countdown text cleared, morning flags cleared).
///  - ScheduleSetup: after the stake list (morning-odds times of every race, result
///    timer, automatic odds check, change-notice timer, countdown label).
///  - ShowRace: the display of the selected race, run by SelectRace after `ItemIndex`,
///    `CurrentSlot` and the visible work area are set (header, result page, runner grid,
///    the chosen logic with its bet tables).
///  - RefreshBetPages: last step of a load with races (the bet pages redrawn).
struct DayLoadHooks {
  std::function<void()> DayLoadStart;
  std::function<void()> ScheduleSetup;
  std::function<void()> ShowRace;
  std::function<void()> RefreshBetPages;
};

/// The main window's procedures without a screen: the desktop program and the CLI are
/// two front ends over one Session. It owns the one RaceDay of the run (allocated once),
/// the RecordStore, the Settings (ProgramFolder + "/Quorvane.ini") and the screen state
/// that the procedures read and write: the date list, the race list and whether the work
/// area (`PageControl1`) is visible. The ports are the caller's and must outlive it.
///
/// Messages go through UserPrompts in Shift-JIS. Bad input met by a procedure is caught
/// here, at the boundary: a beep, then the message as an information dialog.
class Session {
 public:
  Session(platform::UserPrompts& prompts, platform::Clock& clock, jvlink::JVLink* jv_link,
          platform::Launcher& launcher, platform::CompanionLocator& companions,
          const std::filesystem::path& program_folder);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session();

  /// The main window's status line (UserPrompts::SetStatus).
  static constexpr const char* kStatusLine = "StatusLine";

  /// What the main window prepares before it is shown: the companion folders looked up,
  /// the Data, CHG and Kaime folders created, the error log trimmed with its two start
  /// lines added, the date list built. InputError when a folder cannot be created. An
  /// error log that cannot be written (a full disk) is a warning on the status line, not
  /// a stop: reading the stored days needs no log (ErrorLogStarted is then false).
  void Start();
  /// Whether Start could write the error log; steps that write the store need it.
  bool ErrorLogStarted() const { return error_log_started_; }

  /// Fills `DateCombo` with the days of the data folder, newest first; the chosen text
  /// is cleared.
  void BuildDateList();

  /// The user picks `day_prefix` (Shift-JIS) in the date list: it becomes the chosen
  /// text and the day is loaded. When the day is rejected, the chosen text returns to
  /// the day still in memory, so later procedures keep reading that day's files.
  LoadResult ChooseDate(const std::string& day_prefix);

  /// Loads the day of `DateCombo.Text`: reset, record files, race list, odds import of
  /// every race, venues, race selection, previous-day counts, day-wide ranking, payout
  /// tables, stake list, schedule, and the first race shown. Every file is read and
  /// checked before anything in memory changes, so bad input in them leaves the day
  /// before as it was (message shown, kRejected).
  LoadResult LoadRaceDay();

  /// Selects race-list item `item`: `ItemIndex` and `CurrentSlot` := item, the work
  /// area shown, then the ShowRace step. LogicError when the item is not in the list.
  void SelectRace(int item);

  /// Beep, then the message of the error (UTF-8, converted for the dialog).
  void ReportFailure(const std::exception& error);
  /// A day whose files cannot be read: beep, then a Japanese message that names the file;
  /// the error's own words go to ErrorLog.txt.
  void ReportDamagedDay(const std::exception& error);

  platform::UserPrompts& Prompts() { return prompts_; }
  platform::Clock& TheClock() { return clock_; }
  /// The JV-Link control; null where none is installed.
  jvlink::JVLink* JVLink() { return jv_link_; }
  platform::Launcher& TheLauncher() { return launcher_; }
  platform::CompanionLocator& Companions() { return companions_; }
  store::RecordStore& Store() { return store_; }
  const store::RecordStore& Store() const { return store_; }
  app::Settings& Settings() { return settings_; }
  store::RaceDay& Day() { return *day_; }
  const store::RaceDay& Day() const { return *day_; }

  DateComboState DateCombo;
  DatListState DatList;
  bool PageControl1Visible = false;  ///< the work area: hidden until a race is shown
  /// What the work area shows of the selected race; the ShowRace hook (app::ShowRace,
  /// set by the constructor) fills it.
  screens::RaceScreen Screen;
  DayLoadHooks Hooks;

 private:
  void HideDay();
  void SetRaceStakeList();
  static void Run(const std::function<void()>& hook);

  platform::UserPrompts& prompts_;
  platform::Clock& clock_;
  jvlink::JVLink* jv_link_;
  platform::Launcher& launcher_;
  platform::CompanionLocator& companions_;
  store::RecordStore store_;
  app::Settings settings_;
  std::unique_ptr<store::RaceDay> day_;
  bool error_log_started_ = false;
  /// Bad settings values already logged since the start or the last day load: a value
  /// read at every timer tick is logged once, not at every tick.
  std::set<std::string> logged_bad_values_;
};

}  // namespace app
