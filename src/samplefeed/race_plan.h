#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "samplefeed/name_book.h"
#include "samplefeed/race_calendar.h"
#include "samplefeed/record_text.h"

namespace samplefeed {

/// How a runner left the race: not at all, before the betting opened (its odds show
/// "----"), or after (its odds show "****" from then on and its bets are refunded).
enum class Scratch { kNone, kBeforeSale, kAfterSale };

/// One horse of a race card with the hidden numbers the odds and the result come from.
struct RunnerPlan {
  int horse = 0;
  int bracket = 0;
  std::string name, jockey, trainer, owner, silks;  // Shift-JIS
  char sex = '1';
  char east_west = '1';
  int age = 3;
  int coat = 1;
  long long pedigree = 0;
  int jockey_code = 0, trainer_code = 0, owner_code = 0;
  int carried = 560;  // weight carried, 0.1 kg
  int body_weight = 480;
  int weight_change = 0;
  double ability = 0;        // log-strength the result is drawn from
  double final_view = 0;     // what the betting believes when it closes
  double morning_shift = 0;  // how far the early betting strays from that
  Scratch scratch = Scratch::kNone;
};

/// Everything a race of the feed is made of: its card, its betting and its result.
/// Times are minutes after midnight of the race day.
struct RacePlan {
  RaceKey key;
  char weekday_code = '1';
  int carded_post = 600;    // post time of the race card
  int post = 600;           // post time the race is run at (after a change notice)
  int change_notice = -1;   // minute the change notice came out, -1 when none
  int scratch_minute = -1;  // minute a runner was withdrawn after the betting opened

  // The race.
  std::string name;  // Shift-JIS, empty for an ordinary race
  char grade = ' ';
  int edition = 0;
  int special_number = 0;
  std::string race_type = "13";
  std::string symbol = "A04";
  char weight_rule = '4';
  std::array<int, 5> conditions{};  // 2yo, 3yo, 4yo, 5yo and up, youngest
  int distance = 1600;
  int track = 17;
  bool turf = true;
  bool jump = false;
  std::string course_kubun = "  ";
  long long first_prize = 0;  // hundreds of yen
  char weather = '1', turf_going = '1', dirt_going = '1';
  double pool_scale = 1.0;

  std::vector<RunnerPlan> runners;  // runners[h - 1] has horse number h

  // The result (starters only; withdrawn runners have placing 0).
  std::vector<int> placing;        // by horse number - 1
  std::vector<int> crossing;       // horse numbers in the order they crossed the line
  std::vector<int> time_tenths;    // by horse number - 1, seconds x 10
  std::vector<int> last3f_tenths;  // by horse number - 1
  int dead_heat_place = 0;         // the placing two horses share, 0 when none

  int Registered() const { return static_cast<int>(runners.size()); }
  int Starters() const;
  /// True when the runner of horse number h runs in the race.
  bool Runs(int horse) const;
};

/// The bracket of horse number h in a field of n, as JRA draws it: one horse a bracket
/// up to eight runners, otherwise the extra horses fill the brackets from 8 downwards.
int BracketOf(int horse, int field);

/// Plans every race of one racecourse's day (races 1..12) from the seed.
std::vector<RacePlan> PlanVenueDay(std::uint64_t seed, const RaceDayPlan& day, int venue_index,
                                   const NameBook& names);

}  // namespace samplefeed
