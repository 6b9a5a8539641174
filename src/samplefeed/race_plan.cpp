#include "samplefeed/race_plan.h"

#include <algorithm>
#include <cmath>

#include "codes/errors.h"
#include "samplefeed/race_result.h"

namespace samplefeed {

namespace {

// Post times of races 1..12 at the middle racecourse; the others run ten minutes
// earlier and later so that the day's races never start together.
constexpr std::array<int, 12> kPostTimes = {600, 630, 660, 690, 745, 775,
                                            805, 835, 870, 905, 945, 985};
constexpr std::array<int, 3> kVenueOffsets = {-10, 0, 10};

// The kind of race each race number of a day usually is.
enum class RaceClass { kMaiden, kNewcomer, kOneWin, kTwoWin, kThreeWin, kOpen };

// clang-format off
constexpr std::array<RaceClass, 12> kClassOfRace = {
    RaceClass::kMaiden, RaceClass::kMaiden, RaceClass::kMaiden, RaceClass::kNewcomer,
    RaceClass::kMaiden, RaceClass::kOneWin, RaceClass::kOneWin, RaceClass::kOneWin,
    RaceClass::kTwoWin, RaceClass::kThreeWin, RaceClass::kOpen, RaceClass::kTwoWin};
// clang-format on

int ConditionCode(RaceClass c) {
  switch (c) {
    case RaceClass::kMaiden:
      return 703;
    case RaceClass::kNewcomer:
      return 701;
    case RaceClass::kOneWin:
      return 5;
    case RaceClass::kTwoWin:
      return 10;
    case RaceClass::kThreeWin:
      return 16;
    case RaceClass::kOpen:
      return 999;
  }
  return 0;
}

long long FirstPrize(RaceClass c, char grade) {
  switch (grade) {
    case 'A':
      return 1500000;
    case 'B':
      return 650000;
    case 'C':
      return 410000;
    case 'L':
      return 280000;
    default:
      break;
  }
  switch (c) {
    case RaceClass::kMaiden:
      return 56000;
    case RaceClass::kNewcomer:
      return 70000;
    case RaceClass::kOneWin:
      return 80000;
    case RaceClass::kTwoWin:
      return 110000;
    case RaceClass::kThreeWin:
      return 150000;
    case RaceClass::kOpen:
      return 240000;
  }
  return 0;
}

bool LeftHanded(const std::string& course) {
  return course == "04" || course == "05" || course == "07";
}

// The age group of the race: 2yo ("11") from June, 3yo ("12") until September,
// older horses "14" before June and "13" from June.
std::string RaceTypeFor(RaceClass c, int month, FeedRandom& random) {
  const bool young_race = c == RaceClass::kMaiden || c == RaceClass::kNewcomer;
  if (young_race) {
    if (month >= 10) return "11";
    if (month >= 6) return random.Chance(0.5) ? "11" : "12";
    return "12";
  }
  if (month <= 5) return random.Chance(0.2) && month >= 3 ? "12" : "14";
  return random.Chance(0.15) && month <= 9 ? "12" : "13";
}

std::array<int, 5> Conditions(const std::string& race_type, int code) {
  if (race_type == "11") return {code, 0, 0, 0, code};
  if (race_type == "12") return {0, code, 0, 0, code};
  if (race_type == "14" || race_type == "19") return {0, 0, code, code, code};
  return {0, code, code, code, code};
}

void PlanTrack(RacePlan& race, FeedRandom& random) {
  const bool left = LeftHanded(race.key.course);
  if (race.jump) {
    static constexpr std::array<int, 5> kJump = {2750, 2880, 3000, 3110, 3300};
    race.distance = kJump[static_cast<size_t>(random.Below(5))];
    race.track = random.Chance(0.7) ? 54 : 51 + random.Below(3);
    race.turf = true;
  } else if (random.Chance(0.5)) {
    static constexpr std::array<int, 8> kTurf = {1200, 1400, 1600, 1800, 2000, 2200, 2400, 1200};
    race.distance = kTurf[static_cast<size_t>(random.Below(8))];
    race.track = (left ? 11 : 17) + (random.Chance(0.3) ? 1 : 0);
    race.turf = true;
  } else {
    static constexpr std::array<int, 8> kDirt = {1000, 1150, 1200, 1400, 1600, 1700, 1800, 1900};
    race.distance = kDirt[static_cast<size_t>(random.Below(8))];
    race.track = left ? 23 : 24;
    race.turf = false;
  }
}

int FieldSize(RaceClass c, bool jump, FeedRandom& random) {
  if (random.Chance(0.06)) return random.Between(5, 8);
  if (jump) return random.Between(7, 14);
  if (c == RaceClass::kOpen) return random.Between(10, 18);
  if (c == RaceClass::kTwoWin || c == RaceClass::kThreeWin) return random.Between(8, 16);
  return random.Between(9, 18);
}

// Favourite-heavy, open and in-between races, so that the odds pictures differ.
void PlanAbilities(RacePlan& race, FeedRandom& random) {
  const double spread = 0.45 + 1.1 * random.Uniform();
  for (RunnerPlan& r : race.runners) {
    r.ability = spread * random.Normal();
    r.final_view = r.ability + 0.25 * random.Normal();
    r.morning_shift = 0.35 * random.Normal();
  }
  if (random.Chance(0.25)) {  // one clear favourite
    RunnerPlan& star = race.runners[static_cast<size_t>(random.Below(race.Registered()))];
    star.ability += 1.2;
    star.final_view += 1.2;
  }
}

void PlanRunner(RacePlan& race, RunnerPlan& r, int month, FeedRandom& random,
                const NameBook& names) {
  const int year = race.key.ymd / 10000;
  r.bracket = BracketOf(r.horse, race.Registered());
  r.name = names.HorseName(random);
  if (race.race_type == "11")
    r.age = 2;
  else if (race.race_type == "12")
    r.age = 3;
  else
    r.age = (race.race_type == "14" || race.race_type == "19" ? 4 : 3) + random.Below(4);
  if (month <= 5 && r.age == 3 && race.race_type != "12") r.age = 4;
  const int sex_draw = random.Below(100);
  r.sex = sex_draw < 58 ? '1' : (sex_draw < 93 || r.age == 2 ? '2' : '3');
  r.east_west = random.Chance(0.5) ? '1' : '2';
  r.coat = random.Between(1, 8);
  r.pedigree = static_cast<long long>(year - r.age) * 1000000 + 100000 + random.Below(100000);
  r.jockey = names.PersonShortName(random);
  r.trainer = names.PersonShortName(random);
  r.owner = names.OwnerName(random);
  r.silks = names.Silks(random);
  r.jockey_code = random.Between(1000, 1199);
  r.trainer_code = random.Between(1000, 1199);
  r.owner_code = random.Between(100000, 999999);
  const int base = race.weight_rule == '1' ? random.Between(50, 59) * 10
                                           : (r.age == 2 ? 550 : 570) - (r.sex == '2' ? 20 : 0);
  r.carried = race.jump ? 600 + random.Between(0, 3) * 10 : base;
  r.body_weight = random.Between(420, 540);
  r.weight_change = random.Between(-12, 12) / 2 * 2;
}

void PlanScratch(RacePlan& race, FeedRandom& random) {
  if (race.Registered() < 8 || !random.Chance(0.07)) return;
  RunnerPlan& r = race.runners[static_cast<size_t>(random.Below(race.Registered()))];
  if (random.Chance(0.4)) {
    r.scratch = Scratch::kBeforeSale;
  } else {
    r.scratch = Scratch::kAfterSale;
    race.scratch_minute = random.Between(480, std::max(481, race.carded_post - 30));
  }
}

void PlanPostTimeChange(RacePlan& race, int next_post, FeedRandom& random) {
  if (!random.Chance(0.05)) return;
  const int delay = random.Chance(0.6) ? 5 : 10;
  if (next_post > 0 && race.carded_post + delay > next_post - 10) return;
  race.post = race.carded_post + delay;
  race.change_notice = std::max(510, race.carded_post - random.Between(20, 90));
}

void PlanRaceDetails(RacePlan& race, RaceClass c, int month, FeedRandom& random,
                     const NameBook& names) {
  race.jump = (race.key.race == 4 || race.key.race == 8) && random.Chance(0.15);
  if (race.jump) c = race.key.race == 4 ? RaceClass::kMaiden : RaceClass::kOpen;
  race.race_type = race.jump ? (month <= 5 ? "19" : "18") : RaceTypeFor(c, month, random);
  if (c == RaceClass::kOpen && !race.jump && race.key.race == 11) {
    const int g = random.Below(100);
    race.grade = g < 2 ? 'A' : (g < 8 ? 'B' : (g < 28 ? 'C' : (g < 50 ? 'L' : 'E')));
  } else if (race.key.race >= 9 && race.key.race <= 11) {
    race.grade = 'E';
  }
  const bool graded = race.grade == 'A' || race.grade == 'B' || race.grade == 'C';
  if (race.grade != ' ') {
    race.name = names.RaceName(random, graded);
    race.special_number = random.Between(1, 9999);
  }
  if (graded) race.edition = random.Between(10, 80);
  race.conditions = Conditions(race.race_type, ConditionCode(c));
  race.symbol =
      graded ? "N00" : (c == RaceClass::kMaiden || c == RaceClass::kNewcomer ? "A01" : "A04");
  race.weight_rule = c == RaceClass::kMaiden || c == RaceClass::kNewcomer
                         ? '3'
                         : (c == RaceClass::kOpen ? (random.Chance(0.5) ? '2' : '1')
                                                  : (random.Chance(0.2) ? '1' : '4'));
  race.first_prize = FirstPrize(c, race.grade);
  race.pool_scale = graded ? 5.0 : (race.grade != ' ' ? 1.6 : 1.0);
  PlanTrack(race, random);
}

}  // namespace

int RacePlan::Starters() const {
  return static_cast<int>(std::count_if(runners.begin(), runners.end(), [](const RunnerPlan& r) {
    return r.scratch == Scratch::kNone;
  }));
}

bool RacePlan::Runs(int horse) const {
  return horse >= 1 && horse <= Registered() &&
         runners[static_cast<size_t>(horse - 1)].scratch == Scratch::kNone;
}

int BracketOf(int horse, int field) {
  codes::CheckIndex(field, 1, 18, "field size");
  codes::CheckIndex(horse, 1, field, "horse number");
  if (field <= 8) return horse;
  // Brackets 1..8 hold base horses each; the last `extra` brackets one more.
  const int base = field / 8;
  const int extra = field % 8;
  int first = 1;
  for (int bracket = 1; bracket <= 8; ++bracket) {
    const int size = base + (bracket > 8 - extra ? 1 : 0);
    if (horse < first + size) return bracket;
    first += size;
  }
  throw codes::LogicError("horse number beyond the brackets");
}

std::vector<RacePlan> PlanVenueDay(std::uint64_t seed, const RaceDayPlan& day, int venue_index,
                                   const NameBook& names) {
  const VenueDay& venue = day.venues[static_cast<size_t>(venue_index)];
  const int month = day.ymd / 100 % 100;
  FeedRandom day_random(StreamSeed(seed, {static_cast<std::uint64_t>(day.ymd),
                                          static_cast<std::uint64_t>(std::stoi(venue.course))}));
  const char weather = "1112223345"[day_random.Below(10)];
  const char going = weather >= '3' ? static_cast<char>('2' + day_random.Below(3))
                                    : (day_random.Chance(0.2) ? '2' : '1');
  const std::string course_kubun =
      std::string(1, static_cast<char>('A' + day_random.Below(3))) + " ";

  std::vector<RacePlan> races(12);
  for (int r = 1; r <= 12; ++r) {
    RacePlan& race = races[static_cast<size_t>(r - 1)];
    race.key = RaceKey{day.ymd, venue.course, venue.meeting, venue.day, r};
    race.weekday_code = day.weekday_code;
    race.weather = weather;
    race.turf_going = going;
    race.dirt_going = going;
    race.carded_post = kPostTimes[static_cast<size_t>(r - 1)] +
                       kVenueOffsets[static_cast<size_t>(venue_index % 3)];
    race.post = race.carded_post;
  }
  for (int r = 1; r <= 12; ++r) {
    RacePlan& race = races[static_cast<size_t>(r - 1)];
    FeedRandom random(StreamSeed(seed, {static_cast<std::uint64_t>(day.ymd),
                                        static_cast<std::uint64_t>(std::stoi(venue.course)),
                                        static_cast<std::uint64_t>(r)}));
    PlanRaceDetails(race, kClassOfRace[static_cast<size_t>(r - 1)], month, random, names);
    race.course_kubun = race.turf && !race.jump ? course_kubun : "  ";
    const int field = FieldSize(kClassOfRace[static_cast<size_t>(r - 1)], race.jump, random);
    race.runners.resize(static_cast<size_t>(field));
    for (int h = 1; h <= field; ++h) {
      race.runners[static_cast<size_t>(h - 1)].horse = h;
      PlanRunner(race, race.runners[static_cast<size_t>(h - 1)], month, random, names);
    }
    PlanAbilities(race, random);
    PlanScratch(race, random);
    PlanPostTimeChange(race, r < 12 ? races[static_cast<size_t>(r)].carded_post : 0, random);
    DrawResult(race, random);
  }
  return races;
}

}  // namespace samplefeed
