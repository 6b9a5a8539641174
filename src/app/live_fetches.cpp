#include "app/live_fetches.h"

#include "analysis/race_selection.h"
#include "codes/course_text.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/layouts/ra_layout.h"
#include "codes/message_text.h"
#include "codes/pad_int_text.h"
#include "codes/record_field.h"
#include "store/change_notices.h"
#include "store/odds_import.h"
#include "store/payout_import.h"

namespace app {
namespace {

using jvlink::FetchOutcome;
using jvlink::RealtimeLoop;
using jvlink::RealtimeRequest;

// Racecourse name and race of a record or morning entry: "東京 1".
std::string RaceText(std::string_view course_code, std::string_view race) {
  return codes::CourseText(course_code) + codes::PadIntText(race);
}

}  // namespace

// Marks a fetch of this object as running; when the outermost one ends, the stream is free.
class LiveFetches::Running {
 public:
  explicit Running(LiveFetches& owner) : owner_(owner) { ++owner_.running_; }
  ~Running() { --owner_.running_; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  LiveFetches& owner_;
};

LiveFetches::LiveFetches(Session& session, jvlink::SharedStream& link)
    : session_(session), link_(link), fetch_(link, session.Prompts(), session.Store()) {}

std::string LiveFetches::BusyText() {
  return codes::Sj("ほかのデータを取得中です。終わってからもう一度お試しください。");
}

bool LiveFetches::DaySelected() const { return !codes::IsBlank(session_.DateCombo.Text); }

bool LiveFetches::RaceSelected() const {
  return session_.DatList.ItemIndex >= 0 &&
         session_.DatList.ItemIndex < static_cast<int>(session_.DatList.Items.size());
}

std::string LiveFetches::DisplayedRaceText() const {
  const store::RaRecord& ra = session_.Day().RaRec[session_.Day().CurrentSlot];
  return RaceText(ra.Field(codes::ra_layout::kCourse), ra.Field(codes::ra_layout::kRaceNumber));
}

jvlink::FetchReport LiveFetches::Fetch(const std::string& what, const RealtimeRequest& request) {
  jvlink::FetchReport report = fetch_.Run(request);
  if (OnFetched) OnFetched(what, report);
  return report;
}

void LiveFetches::ShowAgain() {
  if (session_.Hooks.ShowRace) session_.Hooks.ShowRace();
  if (OnRaceShown) OnRaceShown();
}

// A follow-up step met bad input (an odds text that is no number): the fetch is over,
// so the message goes where the fetches report, never into a dialog under a timer.
void LiveFetches::FollowUpFailed(const std::exception& e) {
  const std::string text = codes::SjisMessageText(e.what());
  session_.Prompts().SetStatus(jvlink::RealtimeFetch::kStatusLabel, text);
  session_.Store().AppendErrorLog(text);
}

void LiveFetches::ImportOddsOf(int slot) {
  store::RaceDay& day = session_.Day();
  codes::CheckIndex(slot, 0, store::kSlotCount - 1, "morning odds slot");
  day.OzTargetSlot = slot;
  store::ImportOdds(day, store::DayOddsFiles(session_.Store(), session_.DateCombo.Text));
  analysis::SelectRaces(day);
  analysis::RankFavouritesOfDay(day);
}

void LiveFetches::RaceOddsButton() {
  if (StreamBusy()) {
    session_.Prompts().SetStatus(jvlink::RealtimeFetch::kStatusLabel, BusyText());
    return;
  }
  {
    Running running(*this);
    RaceOdds();
  }
  if (OnStreamFree) OnStreamFree();
}

bool LiveFetches::RaceOdds() {
  const store::RaceDay& day = session_.Day();
  const store::RaRecord& ra = day.RaRec[day.CurrentSlot];
  if (!RaceSelected() || !DaySelected() ||
      codes::NumericValue(ra.Field(codes::ra_layout::kRaceKey)) <= 0) {
    return false;
  }
  const std::string race = DisplayedRaceText();
  RealtimeRequest request{RealtimeLoop::kOdds, std::string(ra.Field(codes::ra_layout::kRaceKey)),
                          race + codes::Sj("オッズ取得中"), race + codes::Sj("R:ｵｯｽﾞ取得エラー："),
                          false};
  if (Fetch(codes::Sj("速報ｵｯｽﾞ ") + race + "R", request).outcome != FetchOutcome::kDone) {
    return false;
  }
  try {
    ImportOddsOf(session_.DatList.ItemIndex);
  } catch (const codes::InputError& e) {
    FollowUpFailed(e);
    return false;
  }
  ShowAgain();
  return true;
}

void LiveFetches::OneDayOddsMenu() {
  if (!DaySelected()) {
    session_.Prompts().Beep();
    session_.Prompts().Inform(codes::Sj("ﾃﾞｰﾀを読み込んでください。"));
    return;
  }
  if (StreamBusy()) {
    session_.Prompts().SetStatus(jvlink::RealtimeFetch::kStatusLabel, BusyText());
    return;
  }
  {
    Running running(*this);
    BatchFlag = true;
    const int items = static_cast<int>(session_.DatList.Items.size());
    for (int item = 0; item < items; ++item) {
      session_.SelectRace(item);
      RaceOdds();
    }
    BatchFlag = false;
  }
  if (OnStreamFree) OnStreamFree();
}

void LiveFetches::MorningOdds(const std::vector<std::string>& entries) {
  Running running(*this);
  const store::RaRecord& shown = session_.Day().RaRec[session_.Day().CurrentSlot];
  bool refresh = false;
  for (const std::string& entry : entries) {
    const std::string key(codes::Field(entry, morning_entry_layout::kRaceKey));
    const std::string_view course = codes::Field(entry, morning_entry_layout::kCourse);
    const std::string_view race_number = codes::Field(entry, morning_entry_layout::kRaceNumber);
    if (course == shown.Field(codes::ra_layout::kCourse) &&
        race_number == shown.Field(codes::ra_layout::kRaceNumber)) {
      refresh = true;
    }
    const std::string race = RaceText(course, race_number);
    RealtimeRequest request{RealtimeLoop::kOdds, key, race + codes::Sj("R ｵｯｽﾞ取得中"),
                            race + "R:", false};
    if (Fetch(codes::Sj("朝ｵｯｽﾞ ") + race + "R", request).outcome != FetchOutcome::kDone) {
      continue;
    }
    try {
      ImportOddsOf(
          static_cast<int>(codes::NumericValue(codes::Field(entry, morning_entry_layout::kSlot))));
    } catch (const codes::InputError& e) {
      FollowUpFailed(e);
    }
  }
  if (refresh && RaceSelected()) ShowAgain();
}

void LiveFetches::ResultsButton() {
  if (StreamBusy()) {
    session_.Prompts().SetStatus(jvlink::RealtimeFetch::kStatusLabel, BusyText());
    return;
  }
  {
    Running running(*this);
    ResultsFetch();
  }
  if (OnStreamFree) OnStreamFree();
}

void LiveFetches::Results() {
  Running running(*this);
  ResultsFetch();
}

void LiveFetches::ResultsFetch() {
  const std::string day_key(session_.Day().RaRec[0].Field(codes::ra_layout::kDate));
  if (!RaceSelected() || !DaySelected() || codes::NumericValue(day_key) <= 0) return;
  RealtimeRequest request{RealtimeLoop::kResults, day_key, codes::Sj("ﾚｰｽ情報データ取得中"),
                          DisplayedRaceText() + codes::Sj("R:ﾚｰｽ情報データ取得エラー："),
                          ResultTimerFlag};
  if (Fetch(codes::Sj("結果情報"), request).outcome != FetchOutcome::kDone) return;
  try {
    store::ImportPayouts(session_.Day(), session_.Store(), session_.DateCombo.Text);
  } catch (const codes::InputError& e) {
    FollowUpFailed(e);
    return;
  }
  // Always drawn again: the fetch may also have brought race and runner records (a
  // changed weight, a scratched horse) of the race shown, not only its payouts.
  if (RaceSelected()) ShowAgain();
}

void LiveFetches::ChangeNotices() {
  Running running(*this);
  const std::string day_key(session_.Day().RaRec[0].Field(codes::ra_layout::kDate));
  if (!DaySelected() || codes::NumericValue(day_key) <= 0) return;
  RealtimeRequest request{RealtimeLoop::kChangeNotices, day_key, codes::Sj("開催速報データ取得中"),
                          DisplayedRaceText() + codes::Sj("R:開催速報データ取得エラー："),
                          ChangeTimerFlag};
  if (Fetch(codes::Sj("開催速報"), request).outcome != FetchOutcome::kDone) return;
  ApplyChangeNotices();
}

void LiveFetches::ApplyChangeNotices() {
  if (!DaySelected()) return;
  store::ChangeNoticeResult result;
  try {
    result = store::ApplyChangeNotices(session_.Day(), session_.Store(), session_.DateCombo.Text,
                                       session_.Settings().FirstForDayLoad());
  } catch (const codes::InputError& e) {
    FollowUpFailed(e);
    return;
  }
  static const std::string kUnmatched = codes::Sj("変更通知の対象レースがありません：");
  for (const std::string& notice : result.unmatched) {
    if (logged_notices_.insert(notice).second) {
      session_.Store().AppendErrorLog(kUnmatched + codes::PrintableAscii(notice));
    }
  }
}

}  // namespace app
