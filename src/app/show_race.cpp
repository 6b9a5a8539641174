#include "app/show_race.h"

#include <cstdio>

#include "bets/fill_bet_table.h"
#include "bets/logic_choice.h"
#include "bets/race_stakes.h"
#include "bets/stake_allocation.h"
#include "codes/layouts/ra_layout.h"
#include "codes/record_field.h"
#include "screens/race_screen.h"
#include "store/registered_runners.h"

namespace app {
namespace {

bets::StakeMode ModeOf(Session& session) {
  return bets::StakeModeOf(session.Settings().HaibunSet());
}

// The time of day as "hhnn", as the post times are stored.
std::string HhnnText(const platform::LocalTime& t) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d%02d", t.hour % 100, t.minute % 100);
  return text;
}

void PrepareRunnerGrid(screens::RaceScreen& screen, const store::RaRecord& ra, int slot) {
  screens::RunnerGrid& grid = screen.Runners;
  grid.Visible = false;
  grid.SetRowCount(store::RegisteredRunners(ra, slot) + 1);
  grid.ClearDataRows();
  screen.Results.Clear();
  grid.Visible = true;
}

// Setting the field is a change of the field when its text differs, with the same effect
// as typing the amount.
void SetStakeField(Session& session, const std::string& amount_text) {
  if (session.Screen.StakeField == amount_text) return;
  ChangeStakeField(session, amount_text);
}

void RunChosenLogic(Session& session) {
  store::RaceDay& day = session.Day();
  screens::RaceScreen& screen = session.Screen;
  const int slot = day.CurrentSlot;
  const bets::FillTail tail = bets::StakeAndCheckTail(
      ModeOf(session), bets::AmountOf(screen.StakeField), day.DayPayouts[slot]);
  const bets::LogicChoice choice = screen.LogicUnticked
                                       ? bets::LogicChoice::None
                                       : bets::LogicChoiceOf(session.Settings().KaimeOption());
  bets::RunLogic(choice, day, slot, screen.Tables, screen.Lists, tail);
}

void ShowMarks(screens::RaceScreen& screen, const store::RaceWork& work) {
  screen.Marks.OzAve123Label = screens::OzAve123Text(work.OzAve123);
  screen.Marks.UR1NinOZLabel = screens::UR1NinOZText(work.AsaURFavOdds);
  screen.Marks.URTaishoLabel = screens::TargetMark(work.URTaisho);
  screen.Marks.UTTaishoLabel = screens::TargetMark(work.UTTaisho);
  screen.Marks.SRTaishoLabel = screens::TargetMark(work.SRTaisho);
}

bool HasSelectedRace(const Session& session) {
  return !session.DatList.Items.empty() && session.DatList.ItemIndex >= 0;
}

// The stake field, the Logic B mark, the ticked rule book with its stakes and payout
// check, and the labels of the race in CurrentSlot.
void ShowBetsOfSlot(Session& session) {
  store::RaceDay& day = session.Day();
  const int slot = day.CurrentSlot;
  SetStakeField(session, std::to_string(bets::AmountOf(bets::RaceStake(day, slot))));
  session.Screen.Marks.TaishoRaceLogic2Label = screens::TargetMark(day.Work[slot].Logic2Taisho);
  RunChosenLogic(session);
  ShowMarks(session.Screen, day.Work[slot]);
}

}  // namespace

void ShowRace(Session& session) {
  if (!HasSelectedRace(session)) return;
  store::RaceDay& day = session.Day();
  screens::RaceScreen& screen = session.Screen;
  day.CurrentSlot = session.DatList.ItemIndex;
  const int slot = day.CurrentSlot;
  const store::RaRecord& ra = day.RaRec[slot];

  PrepareRunnerGrid(screen, ra, slot);
  screen.Header = screens::RaceHeaderOf(ra);
  screen.Header.TFWtimeAsaLabel = screens::OddsTimeText(day.O1aRec[slot]);
  screens::FillResultPage(day.DayPayouts[slot], screen.Results);
  screens::FillRunnerGrid(day, screen.Runners);
  screens::SortRunnerGrid(screen.Runners);
  ShowBetsOfSlot(session);

  session.PageControl1Visible = true;
  screen.LabelPanelVisible = true;
  screen.Runners.SelectedRow = -1;
}

void ShowRaceBets(Session& session) {
  if (!HasSelectedRace(session)) return;
  session.Day().CurrentSlot = session.DatList.ItemIndex;
  ShowBetsOfSlot(session);
}

bool NextRace(Session& session) {
  if (codes::IsBlank(session.DateCombo.Text) || session.DatList.Items.empty()) return false;
  const store::RaceDay& day = session.Day();
  const platform::LocalTime now = session.TheClock().Now();
  if (std::to_string(now.Ymd()) != day.RaRec[0].Field(codes::ra_layout::kDate)) return false;

  const std::string now_text = HhnnText(now);
  const long long now_hhnn = codes::NumericValue(now_text);
  int best_slot = -1;
  long long best_gap = 0;
  const int items = static_cast<int>(session.DatList.Items.size());
  for (int slot = 0; slot < items; ++slot) {
    const std::string_view post = day.RaRec[slot].Field(codes::ra_layout::kPostTime);
    if (!(post > now_text)) continue;
    const long long gap = codes::NumericValue(post) - now_hhnn;
    if (best_slot < 0 || gap < best_gap) {
      best_slot = slot;
      best_gap = gap;
    }
  }
  if (best_slot < 0) return false;
  session.SelectRace(best_slot);
  return true;
}

void ChangeStakeField(Session& session, const std::string& amount_text) {
  session.Screen.StakeField = amount_text;
  bets::ChangeAmount(session.Day(), session.Screen.Tables, amount_text, ModeOf(session));
}

}  // namespace app
