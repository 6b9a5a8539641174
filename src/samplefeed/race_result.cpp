#include "samplefeed/race_result.h"

#include <cmath>

namespace samplefeed {

namespace {

std::vector<int> CrossingOrder(const RacePlan& race, FeedRandom& random) {
  std::vector<int> left;
  std::vector<double> weight;
  for (const RunnerPlan& r : race.runners) {
    if (r.scratch != Scratch::kNone) continue;
    left.push_back(r.horse);
    weight.push_back(std::exp(r.ability));
  }
  std::vector<int> order;
  while (!left.empty()) {
    double total = 0;
    for (double w : weight) total += w;
    double pick = random.Uniform() * total;
    size_t chosen = left.size() - 1;
    for (size_t i = 0; i < left.size(); ++i) {
      pick -= weight[i];
      if (pick < 0) {
        chosen = i;
        break;
      }
    }
    order.push_back(left[chosen]);
    left.erase(left.begin() + static_cast<long>(chosen));
    weight.erase(weight.begin() + static_cast<long>(chosen));
  }
  return order;
}

// Seconds a winner needs for the distance on this surface and going.
double WinnerSeconds(const RacePlan& race, FeedRandom& random) {
  const double speed = race.jump ? 14.4 : (race.turf ? 16.7 : 16.0);
  const char going = race.turf ? race.turf_going : race.dirt_going;
  const double slow = 1.0 + 0.008 * (going - '1');
  return race.distance / speed * slow * (1.0 + 0.01 * random.Normal());
}

// m ss s as the runner record writes it: 1:33.5 is 1335.
int TimeField(double seconds) {
  const int tenths = static_cast<int>(std::lround(seconds * 10));
  return tenths / 600 * 1000 + tenths % 600;
}

}  // namespace

void DrawResult(RacePlan& race, FeedRandom& random) {
  const size_t n = race.runners.size();
  race.placing.assign(n, 0);
  race.time_tenths.assign(n, 0);
  race.last3f_tenths.assign(n, 0);
  race.crossing = CrossingOrder(race, random);
  race.dead_heat_place = 0;
  if (race.crossing.size() >= 5 && random.Chance(0.04)) race.dead_heat_place = random.Between(1, 3);

  double seconds = WinnerSeconds(race, random);
  double last3f = (race.jump ? 37.5 : 34.0) + 1.5 * random.Uniform();
  for (size_t i = 0; i < race.crossing.size(); ++i) {
    const int place = static_cast<int>(i) + 1;
    const bool shares_above = race.dead_heat_place > 0 && place == race.dead_heat_place + 1;
    if (i > 0 && !shares_above) {
      seconds += 0.05 + 0.4 * random.Uniform();
      last3f += 0.1 + 0.3 * random.Uniform();
    }
    const size_t k = static_cast<size_t>(race.crossing[i] - 1);
    race.placing[k] = shares_above ? place - 1 : place;
    race.time_tenths[k] = TimeField(seconds);
    race.last3f_tenths[k] = static_cast<int>(std::lround(last3f * 10));
  }
}

}  // namespace samplefeed
