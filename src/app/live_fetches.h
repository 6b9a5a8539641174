#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/session.h"
#include "codes/layouts/header_layout.h"
#include "jvlink/realtime_fetch.h"
#include "jvlink/shared_stream.h"

namespace app {

/// An entry of the races whose morning odds are due: the race's RaceKey, then its RaceSlot
/// "%2d". The racecourse and the race number sit where they sit in the RaceKey.
namespace morning_entry_layout {
inline constexpr codes::FieldSpec kRaceKey =
    codes::header_layout::kRaceKey.At(1 - codes::header_layout::kRaceKey.pos);
inline constexpr codes::FieldSpec kCourse =
    codes::header_layout::kCourse.At(1 - codes::header_layout::kRaceKey.pos);
inline constexpr codes::FieldSpec kRaceNumber =
    codes::header_layout::kRaceNumber.At(1 - codes::header_layout::kRaceKey.pos);
inline constexpr codes::FieldSpec kSlot{kRaceKey.pos + kRaceKey.len, 2};
}  // namespace morning_entry_layout

/// The real-time fetches of a race day and the steps that follow each: the race odds of
/// the shown race ("速報ｵｯｽﾞ") and of every race ("1日分の全オッズを一括取得(&O)"), the
/// morning odds of a list of races, the results ("結果情報") and the change notices.
///
/// JV-Link has one stream. The buttons and the menu refuse to start while a fetch or the
/// stored pull holds it, and say so in the status label; the timers ask StreamBusy first
/// and wait (RaceDaySchedules). Texts are Shift-JIS; the status label is
/// jvlink::RealtimeFetch::kStatusLabel.
class LiveFetches {
 public:
  /// `link` must be the JV-Link the session and the stored pull use.
  LiveFetches(Session& session, jvlink::SharedStream& link);

  /// True while one of these fetches runs or another holds the JV-Link stream.
  bool StreamBusy() const { return running_ > 0 || link_.Held(); }

  // The user's buttons and menu: refused with a status text while the stream is busy.
  void RaceOddsButton();  ///< "速報ｵｯｽﾞ"
  void OneDayOddsMenu();  ///< "1日分の全オッズを一括取得(&O)"
  void ResultsButton();   ///< "結果情報"

  // The timers' fetches; the caller has checked StreamBusy.
  /// Entries as morning_entry_layout.
  void MorningOdds(const std::vector<std::string>& entries);
  void Results();
  void ChangeNotices();
  /// Applies the change file of the chosen day to its day file and the RaceDay. A notice
  /// for a race the day does not have changes nothing and is logged once per day load.
  void ApplyChangeNotices();
  /// Forgets the notices logged as unmatched (a new day is loaded).
  void ForgetLoggedNotices() { logged_notices_.clear(); }

  bool ResultTimerFlag = false;  ///< set while the result timer runs its fetch
  bool ChangeTimerFlag = false;  ///< set while the change-notice timer runs its fetch
  bool BatchFlag = false;        ///< set while the one-day odds batch runs

  /// What a fetch did, for a front end that reports it (the CLI's live command):
  /// a name ("速報ｵｯｽﾞ 東京 1R", Shift-JIS) and the report.
  std::function<void(const std::string& what, const jvlink::FetchReport&)> OnFetched;
  /// The shown race was drawn again (the window repaints its pages).
  std::function<void()> OnRaceShown;
  /// A button's fetch ended and the stream is free (waiting timer fetches may run).
  std::function<void()> OnStreamFree;

  /// "ほかのデータを取得中です。終わってからもう一度お試しください。"
  static std::string BusyText();

 private:
  class Running;
  bool DaySelected() const;
  bool RaceSelected() const;
  std::string DisplayedRaceText() const;
  jvlink::FetchReport Fetch(const std::string& what, const jvlink::RealtimeRequest& request);
  bool RaceOdds();
  void ResultsFetch();
  void ImportOddsOf(int slot);
  void ShowAgain();
  void FollowUpFailed(const std::exception& e);

  Session& session_;
  jvlink::SharedStream& link_;
  jvlink::RealtimeFetch fetch_;
  int running_ = 0;
  std::set<std::string> logged_notices_;
};

}  // namespace app
