#include "samplefeed/race_records.h"

#include <algorithm>
#include <cstdlib>

#include "codes/errors.h"
#include "samplefeed/name_book.h"
#include "samplefeed/record_text.h"

namespace samplefeed {

namespace {

constexpr int kRaLength = 1272;
constexpr int kSeLength = 555;

int Hhmm(int minute) { return minute / 60 * 100 + minute % 60; }

// The first n full-width characters of a Shift-JIS full-width text.
std::string FirstChars(const std::string& text, size_t n) {
  return text.substr(0, std::min(text.size(), 2 * n));
}

void PutRaceNames(RecordText& ra, const RacePlan& race) {
  ra.Wide(33, 60, race.name);
  ra.Wide(93, 60, "");
  ra.Wide(153, 60, "");
  ra.Wide(573, 20, FirstChars(race.name, 10));
  ra.Wide(593, 12, FirstChars(race.name, 6));
  ra.Wide(605, 6, NameBook::ShortName3(race.name));
  ra.Wide(638, 60, "");
}

void PutPrizes(RecordText& ra, const RacePlan& race) {
  static constexpr int kShares[5] = {100, 40, 25, 15, 10};
  for (int i = 0; i < 7; ++i) {
    ra.Number(714 + 8 * i, 8, i < 5 ? race.first_prize * kShares[i] / 100 : 0);
  }
  for (int i = 0; i < 5; ++i) ra.Number(770 + 8 * i, 8, 0);
  for (int i = 0; i < 5; ++i) ra.Number(810 + 8 * i, 8, 0);
  for (int i = 0; i < 3; ++i) ra.Number(850 + 8 * i, 8, 0);
}

// Laps of 200 m at about 12 seconds, the first a little slower.
void PutLaps(RecordText& ra, const RacePlan& race) {
  const int laps = race.jump ? 0 : std::min(25, (race.distance + 199) / 200);
  const int winner_time =
      race.crossing.empty() ? 0 : race.time_tenths[static_cast<size_t>(race.crossing[0] - 1)];
  const int total = winner_time / 1000 * 600 + winner_time % 1000;
  for (int i = 0; i < 25; ++i) {
    int lap = 0;
    if (i < laps) lap = total / laps + (i == 0 ? 5 : 0) - (i == laps - 1 ? 5 : 0);
    ra.Number(891 + 3 * i, 3, std::clamp(lap, 0, 999));
  }
  ra.Number(966, 4, 0);
  const int last3f =
      race.crossing.empty() ? 0 : race.last3f_tenths[static_cast<size_t>(race.crossing[0] - 1)];
  ra.Number(970, 3, race.jump ? 0 : 350);
  ra.Number(973, 3, race.jump ? 0 : 470);
  ra.Number(976, 3, race.jump ? 0 : std::min(999, last3f));
  ra.Number(979, 3, race.jump ? 0 : std::min(999, last3f + 118));
}

void PutPartner(RecordText& se, const RacePlan& race, int horse) {
  if (race.crossing.size() < 2) return;
  const int partner = race.crossing[0] == horse ? race.crossing[1] : race.crossing[0];
  const RunnerPlan& p = race.runners[static_cast<size_t>(partner - 1)];
  se.Number(394, 10, p.pedigree);
  se.Wide(404, 36, p.name);
  const int mine = race.time_tenths[static_cast<size_t>(horse - 1)];
  const int theirs = race.time_tenths[static_cast<size_t>(partner - 1)];
  const int diff = (mine / 1000 * 600 + mine % 1000) - (theirs / 1000 * 600 + theirs % 1000);
  se.Text(532, diff < 0 ? "-" : "+");
  se.Number(533, 3, std::min(999, std::abs(diff)));
}

void PutResult(RecordText& se, const RacePlan& race, const RunnerPlan& r,
               const OddsModel& final_odds) {
  const size_t k = static_cast<size_t>(r.horse - 1);
  se.Number(325, 3, r.body_weight);
  se.Text(328, r.weight_change > 0 ? "+" : (r.weight_change < 0 ? "-" : " "));
  se.Number(329, 3, std::abs(r.weight_change));
  if (r.scratch != Scratch::kNone) {
    se.Text(332, "1");
    return;
  }
  const int placing = race.placing[k];
  const bool shared = race.dead_heat_place > 0 && placing == race.dead_heat_place;
  se.Number(333, 2, placing);
  se.Number(335, 2, placing);
  se.Text(337, shared ? "1" : "0");
  se.Number(338, 1, shared ? 1 : 0);
  se.Number(339, 4, race.time_tenths[k]);
  const OddsTable& win = final_odds.Table(Bet::kWin);
  se.Number(360, 4, std::max(0, win.tenths[k]));
  se.Number(364, 2, win.popularity[k]);
  static constexpr int kShares[5] = {100, 40, 25, 15, 10};
  se.Number(366, 8,
            placing >= 1 && placing <= 5 ? race.first_prize * kShares[placing - 1] / 100 : 0);
  se.Number(388, 3, std::min(999, race.last3f_tenths[k] + 118));
  se.Number(391, 3, std::min(999, race.last3f_tenths[k]));
  PutPartner(se, race, r.horse);
}

}  // namespace

void AppendRaceRecord(std::string& out, const RacePlan& race, char kind, int created_ymd,
                      RaceStage stage) {
  RecordText ra(out, kRaLength);
  ra.Header("RA", kind, created_ymd, race.key);
  ra.Text(28, std::string(1, race.weekday_code));
  ra.Number(29, 4, race.special_number);
  PutRaceNames(ra, race);
  ra.Text(611, race.name.empty() ? "0" : "1");
  ra.Number(612, 3, race.edition);
  ra.Text(615, std::string(1, race.grade));
  ra.Text(617, race.race_type);
  ra.Text(619, race.symbol);
  ra.Text(622, std::string(1, race.weight_rule));
  for (size_t i = 0; i < 5; ++i) ra.Number(623 + 3 * static_cast<int>(i), 3, race.conditions[i]);
  ra.Number(698, 4, race.distance);
  ra.Number(702, 4, 0);
  ra.Number(706, 2, race.track);
  ra.Number(708, 2, 0);
  ra.Text(710, race.course_kubun);
  PutPrizes(ra, race);
  const bool result = stage == RaceStage::kResult;
  ra.Number(874, 4, Hhmm(result ? race.post : race.carded_post));
  ra.Number(878, 4, result && race.post != race.carded_post ? Hhmm(race.carded_post) : 0);
  ra.Number(882, 2, race.Registered());
  ra.Number(884, 2, result ? race.Starters() : race.Registered());
  ra.Number(886, 2, result ? static_cast<int>(race.crossing.size()) : 0);
  ra.Text(888, result ? std::string{race.weather, race.turf_going, race.dirt_going} : "000");
  if (result) {
    PutLaps(ra, race);
  } else {
    ra.Fill(891, 75, '0');
    ra.Fill(966, 16, '0');
  }
  ra.Text(1270, "0");
}

void AppendRunnerRecord(std::string& out, const RacePlan& race, int horse, char kind,
                        int created_ymd, RaceStage stage, const OddsModel* final_odds) {
  codes::CheckIndex(horse, 1, race.Registered(), "runner");
  const RunnerPlan& r = race.runners[static_cast<size_t>(horse - 1)];
  RecordText se(out, kSeLength);
  se.Header("SE", kind, created_ymd, race.key);
  const bool drawn = stage != RaceStage::kEntries;
  se.Number(28, 1, drawn ? r.bracket : 0);
  se.Number(29, 2, drawn ? r.horse : 0);
  se.Number(31, 10, r.pedigree);
  se.Wide(41, 36, r.name);
  se.Text(77, "00");
  se.Text(79, std::string(1, r.sex));
  se.Text(80, "1");
  se.Number(81, 2, r.coat);
  se.Number(83, 2, r.age);
  se.Text(85, std::string(1, r.east_west));
  se.Number(86, 5, r.trainer_code);
  se.Wide(91, 8, r.trainer);
  se.Number(99, 6, r.owner_code);
  se.Wide(105, 64, r.owner);
  se.Wide(169, 60, r.silks);
  se.Number(289, 3, r.carried);
  se.Number(292, 3, 0);
  se.Text(295, "0");
  se.Number(297, 5, r.jockey_code);
  se.Number(302, 5, 0);
  se.Wide(307, 8, r.jockey);
  se.Wide(315, 8, "");
  se.Text(323, "00");
  se.Text(332, "0");
  se.Fill(333, 6, '0');
  se.Fill(339, 4, '0');
  se.Fill(352, 8, '0');
  se.Fill(360, 6, '0');
  se.Fill(366, 16, '0');
  se.Fill(388, 6, '0');
  se.Fill(532, 4, '0');
  se.Text(536, "0");
  se.Text(537, "0");
  se.Text(553, "0");
  if (stage == RaceStage::kResult) {
    if (final_odds == nullptr) throw codes::LogicError("runner result without final odds");
    PutResult(se, race, r, *final_odds);
  }
}

}  // namespace samplefeed
