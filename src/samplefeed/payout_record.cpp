#include "samplefeed/payout_record.h"

#include <algorithm>

#include "samplefeed/record_text.h"

namespace samplefeed {

namespace {

constexpr int kHrLength = 719;

struct PayoutLayout {
  Bet bet;
  int start;
  int slots;
  int numbers;
  int number_width;
  int popularity_width;
};

// clang-format off
constexpr PayoutLayout kLayouts[] = {
    {Bet::kWin,      103, 3, 1, 2, 2}, {Bet::kPlace,    142, 5, 1, 2, 2},
    {Bet::kBracket,  207, 3, 2, 1, 2}, {Bet::kQuinella, 246, 3, 2, 2, 3},
    {Bet::kWide,     294, 7, 2, 2, 3}, {Bet::kExacta,   454, 6, 2, 2, 3},
    {Bet::kTrio,     550, 3, 3, 2, 3}, {Bet::kTrifecta, 604, 6, 3, 2, 4},
};
// clang-format on

// The orders of the first four a dead heat allows: the crossing order, and with the
// two tied horses the other way round.
std::vector<std::vector<int>> PossibleOrders(const RacePlan& race) {
  std::vector<int> first(
      race.crossing.begin(),
      race.crossing.begin() + static_cast<long>(std::min<size_t>(4, race.crossing.size())));
  std::vector<std::vector<int>> orders = {first};
  const size_t p = static_cast<size_t>(race.dead_heat_place);
  if (p >= 1 && p < first.size()) {
    std::vector<int> swapped = first;
    std::swap(swapped[p - 1], swapped[p]);
    orders.push_back(swapped);
  }
  return orders;
}

int EntryOf(Bet bet, std::vector<int> h, const RacePlan& race) {
  switch (bet) {
    case Bet::kWin:
    case Bet::kPlace:
      return h[0] - 1;
    case Bet::kBracket: {
      int a = race.runners[static_cast<size_t>(h[0] - 1)].bracket;
      int b = race.runners[static_cast<size_t>(h[1] - 1)].bracket;
      return OddsModel::BracketEntry(std::min(a, b), std::max(a, b));
    }
    case Bet::kQuinella:
    case Bet::kWide:
      std::sort(h.begin(), h.end());
      return OddsModel::QuinellaEntry(h[0], h[1]);
    case Bet::kExacta:
      return OddsModel::ExactaEntry(h[0], h[1]);
    case Bet::kTrio:
      std::sort(h.begin(), h.end());
      return OddsModel::TrioEntry(h[0], h[1], h[2]);
    case Bet::kTrifecta:
      return OddsModel::TrifectaEntry(h[0], h[1], h[2]);
  }
  return -1;
}

void AddOnce(std::vector<int>& list, int entry) {
  if (std::find(list.begin(), list.end(), entry) == list.end()) list.push_back(entry);
}

void PutRefunds(RecordText& hr, const RacePlan& race) {
  hr.Fill(32, 9, '0');
  hr.Fill(41, 9, '0');
  hr.Fill(50, 9, '0');
  hr.Fill(59, 28, '0');
  hr.Fill(87, 8, '0');
  hr.Fill(95, 8, '0');
  bool refunds = false;
  std::array<int, 9> members{}, withdrawn{};
  for (const RunnerPlan& r : race.runners) {
    ++members[static_cast<size_t>(r.bracket)];
    if (r.scratch != Scratch::kAfterSale) continue;
    refunds = true;
    ++withdrawn[static_cast<size_t>(r.bracket)];
    hr.Text(59 + r.horse - 1, "1");
  }
  if (!refunds) return;
  for (int flag = 0; flag < 9; ++flag) {
    if (flag != 5) hr.Text(50 + flag, "1");  // the sixth flag is the reserved bet
  }
  for (int b = 1; b <= 8; ++b) {
    const size_t u = static_cast<size_t>(b);
    if (members[u] > 0 && withdrawn[u] == members[u]) hr.Text(87 + b - 1, "1");
    if (members[u] >= 2 && members[u] - withdrawn[u] < 2 && withdrawn[u] > 0)
      hr.Text(95 + b - 1, "1");
  }
}

}  // namespace

std::vector<int> PaidEntries(const RacePlan& race, const OddsModel& final_odds, Bet bet) {
  std::vector<int> paid;
  const int places = final_odds.PlacesPaid();
  for (const std::vector<int>& order : PossibleOrders(race)) {
    const size_t n = order.size();
    switch (bet) {
      case Bet::kWin:
        AddOnce(paid, EntryOf(bet, {order[0]}, race));
        break;
      case Bet::kPlace:
        for (size_t i = 0; i < static_cast<size_t>(places) && i < n; ++i)
          AddOnce(paid, EntryOf(bet, {order[i]}, race));
        break;
      case Bet::kBracket:
        if (!final_odds.BracketOnSale()) break;
        [[fallthrough]];
      case Bet::kQuinella:
      case Bet::kExacta:
        if (n >= 2) AddOnce(paid, EntryOf(bet, {order[0], order[1]}, race));
        break;
      case Bet::kWide:
        for (size_t i = 0; i < 3 && i < n; ++i)
          for (size_t j = i + 1; j < 3 && j < n; ++j)
            AddOnce(paid, EntryOf(bet, {order[i], order[j]}, race));
        break;
      case Bet::kTrio:
      case Bet::kTrifecta:
        if (n >= 3) AddOnce(paid, EntryOf(bet, {order[0], order[1], order[2]}, race));
        break;
    }
  }
  return paid;
}

void AppendPayoutRecord(std::string& out, const RacePlan& race, const OddsModel& final_odds,
                        char kind, int created_ymd) {
  RecordText hr(out, kHrLength);
  hr.Header("HR", kind, created_ymd, race.key);
  hr.Number(28, 2, race.Registered());
  hr.Number(30, 2, race.Starters());
  PutRefunds(hr, race);
  for (const PayoutLayout& l : kLayouts) {
    const OddsTable& t = final_odds.Table(l.bet);
    std::vector<int> paid = PaidEntries(race, final_odds, l.bet);
    if (static_cast<int>(paid.size()) > l.slots) paid.resize(static_cast<size_t>(l.slots));
    const std::vector<long long> yen = final_odds.Payouts(l.bet, paid);
    const int length = l.numbers * l.number_width + 9 + l.popularity_width;
    for (size_t i = 0; i < paid.size(); ++i) {
      int pos = l.start + static_cast<int>(i) * length;
      const auto& combo = t.combos[static_cast<size_t>(paid[i])];
      for (int n = 0; n < l.numbers; ++n) {
        hr.Number(pos, l.number_width, combo[static_cast<size_t>(n)]);
        pos += l.number_width;
      }
      hr.Number(pos, 9, yen[i]);
      hr.Number(pos + 9, l.popularity_width, t.popularity[static_cast<size_t>(paid[i])]);
    }
  }
}

}  // namespace samplefeed
