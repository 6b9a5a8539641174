#include "samplefeed/odds_model.h"

#include <algorithm>
#include <cmath>

#include "codes/errors.h"

namespace samplefeed {

namespace {

struct BetTerms {
  double takeout;
  double mix;             // share of the votes spread evenly (bets on long shots)
  long long final_votes;  // the pool of an ordinary race when the betting closes
  int cap;                // all 9s of the odds field
};

// clang-format off
constexpr std::array<BetTerms, kBetCount> kTerms = {{
    {0.200, 0.010,  300000,    9999},   // win
    {0.200, 0.010,  200000,    9999},   // place
    {0.225, 0.030,   80000,   99999},   // bracket quinella
    {0.225, 0.030,  500000,  999999},   // quinella
    {0.225, 0.030,  250000,   99999},   // wide
    {0.250, 0.030,  350000,  999999},   // exacta
    {0.250, 0.030,  700000,  999999},   // trio
    {0.275, 0.030, 2000000, 9999999},   // trifecta
}};
// clang-format on

constexpr int kToCompute = 1;  // tenths of an entry that will get odds

size_t Idx(Bet b) { return static_cast<size_t>(b); }

}  // namespace

double OddsModel::Takeout(Bet bet) { return kTerms[Idx(bet)].takeout; }

int OddsModel::SalesOpen(const RacePlan& race) {
  return race.weekday_code == '2' || race.weekday_code == '3' ? -840 : 420;
}

int OddsModel::BracketEntry(int a, int b) { return (a - 1) * (18 - a) / 2 + (b - a + 1) - 1; }
int OddsModel::QuinellaEntry(int i, int j) { return (i - 1) * (36 - i) / 2 + (j - i) - 1; }
int OddsModel::ExactaEntry(int i, int j) { return (i - 1) * 17 + (j < i ? j : j - 1) - 1; }
int OddsModel::TrioEntry(int i, int j, int k) {
  int index = 0;
  for (int a = 1; a < i; ++a) index += (18 - a) * (17 - a) / 2;
  for (int b = i + 1; b < j; ++b) index += 18 - b;
  return index + (k - j) - 1;
}
int OddsModel::TrifectaEntry(int i, int j, int k) {
  const int jj = j > i ? j - 1 : j;
  const int kk = k - (i < k ? 1 : 0) - (j < k ? 1 : 0);
  return (i - 1) * 272 + (jj - 1) * 16 + kk - 1;
}

OddsModel::OddsModel() {
  auto& win = tables_[Idx(Bet::kWin)].combos;
  for (int i = 1; i <= 18; ++i) win.push_back({i, 0, 0});
  tables_[Idx(Bet::kPlace)].combos = win;
  for (int a = 1; a <= 8; ++a)
    for (int b = a; b <= 8; ++b) tables_[Idx(Bet::kBracket)].combos.push_back({a, b, 0});
  for (int i = 1; i <= 18; ++i)
    for (int j = i + 1; j <= 18; ++j) tables_[Idx(Bet::kQuinella)].combos.push_back({i, j, 0});
  tables_[Idx(Bet::kWide)].combos = tables_[Idx(Bet::kQuinella)].combos;
  for (int i = 1; i <= 18; ++i)
    for (int j = 1; j <= 18; ++j)
      if (j != i) tables_[Idx(Bet::kExacta)].combos.push_back({i, j, 0});
  for (int i = 1; i <= 18; ++i)
    for (int j = i + 1; j <= 18; ++j)
      for (int k = j + 1; k <= 18; ++k) tables_[Idx(Bet::kTrio)].combos.push_back({i, j, k});
  for (int i = 1; i <= 18; ++i)
    for (int j = 1; j <= 18; ++j)
      for (int k = 1; k <= 18; ++k)
        if (i != j && j != k && i != k) tables_[Idx(Bet::kTrifecta)].combos.push_back({i, j, k});
  for (OddsTable& t : tables_) {
    t.share.assign(t.combos.size(), 0.0);
    t.tenths.assign(t.combos.size(), 0);
    t.high.assign(t.combos.size(), 0);
    t.popularity.assign(t.combos.size(), 0);
  }
  sort_keys_.reserve(4896);
}

void OddsModel::Compute(const RacePlan& race, int minute) {
  codes::CheckIndex(race.Registered(), 1, 18, "registered runners");
  registered_ = race.Registered();
  SetStates(race, minute);
  const int open = SalesOpen(race);
  const double fraction =
      std::clamp(static_cast<double>(minute - open) / std::max(1, race.post - open), 0.0, 1.0);
  const double growth = 0.03 + 0.97 * fraction * fraction;
  for (int b = 0; b < kBetCount; ++b) {
    tables_[static_cast<size_t>(b)].votes = std::llround(
        static_cast<double>(kTerms[static_cast<size_t>(b)].final_votes) * race.pool_scale * growth);
  }
  WinProbabilities(race, fraction);
  OrderedShares();
  PlaceShares();
  BracketShares();
  for (Bet bet :
       {Bet::kWin, Bet::kBracket, Bet::kQuinella, Bet::kExacta, Bet::kTrio, Bet::kTrifecta}) {
    SingleOdds(bet);
  }
  RangeOdds(Bet::kPlace);
  RangeOdds(Bet::kWide);
  for (int b = 0; b < kBetCount; ++b) Rank(static_cast<Bet>(b));
}

void OddsModel::SetStates(const RacePlan& race, int minute) {
  int running = 0;
  for (int h = 1; h <= 18; ++h) {
    char& s = state_[static_cast<size_t>(h - 1)];
    if (h > registered_) {
      s = ' ';
      continue;
    }
    const RunnerPlan& r = race.runners[static_cast<size_t>(h - 1)];
    if (r.scratch == Scratch::kBeforeSale)
      s = '-';
    else if (r.scratch == Scratch::kAfterSale && minute >= race.scratch_minute)
      s = '*';
    else
      s = 'R';
    running += s == 'R' ? 1 : 0;
  }
  places_ = running <= 4 ? 0 : (running <= 7 ? 2 : 3);
  bracket_on_sale_ = registered_ > 8;
  for (int h = 1; h <= registered_; ++h)
    bracket_of_[static_cast<size_t>(h - 1)] = BracketOf(h, registered_);
}

void OddsModel::WinProbabilities(const RacePlan& race, double fraction) {
  double total = 0;
  for (int h = 1; h <= 18; ++h) {
    const size_t k = static_cast<size_t>(h - 1);
    p_[k] = 0;
    if (state_[k] != 'R') continue;
    const RunnerPlan& r = race.runners[k];
    p_[k] = std::exp(r.final_view + (1.0 - fraction) * r.morning_shift);
    total += p_[k];
  }
  for (double& p : p_) p /= total;
  tables_[Idx(Bet::kWin)].share.assign(p_.begin(), p_.end());
}

void OddsModel::OrderedShares() {
  for (int i = 0; i < 18; ++i)
    for (int j = 0; j < 18; ++j)
      exacta_[static_cast<size_t>(i * 18 + j)] =
          i == j ? 0.0
                 : p_[static_cast<size_t>(i)] * p_[static_cast<size_t>(j)] /
                       std::max(1e-12, 1.0 - p_[static_cast<size_t>(i)]);
  auto tri = [this](int i, int j, int k) {
    const double pi = p_[static_cast<size_t>(i - 1)], pj = p_[static_cast<size_t>(j - 1)];
    return exacta_[static_cast<size_t>((i - 1) * 18 + j - 1)] * p_[static_cast<size_t>(k - 1)] /
           std::max(1e-12, 1.0 - pi - pj);
  };
  OddsTable& ex = tables_[Idx(Bet::kExacta)];
  for (size_t e = 0; e < ex.combos.size(); ++e)
    ex.share[e] = exacta_[static_cast<size_t>((ex.combos[e][0] - 1) * 18 + ex.combos[e][1] - 1)];
  OddsTable& q = tables_[Idx(Bet::kQuinella)];
  for (size_t e = 0; e < q.combos.size(); ++e) {
    const int i = q.combos[e][0], j = q.combos[e][1];
    q.share[e] = exacta_[static_cast<size_t>((i - 1) * 18 + j - 1)] +
                 exacta_[static_cast<size_t>((j - 1) * 18 + i - 1)];
  }
  OddsTable& tf = tables_[Idx(Bet::kTrifecta)];
  for (size_t e = 0; e < tf.combos.size(); ++e)
    tf.share[e] = tri(tf.combos[e][0], tf.combos[e][1], tf.combos[e][2]);
  OddsTable& tr = tables_[Idx(Bet::kTrio)];
  for (size_t e = 0; e < tr.combos.size(); ++e) {
    const int i = tr.combos[e][0], j = tr.combos[e][1], k = tr.combos[e][2];
    tr.share[e] =
        tri(i, j, k) + tri(i, k, j) + tri(j, i, k) + tri(j, k, i) + tri(k, i, j) + tri(k, j, i);
  }
}

void OddsModel::PlaceShares() {
  OddsTable& place = tables_[Idx(Bet::kPlace)];
  OddsTable& wide = tables_[Idx(Bet::kWide)];
  std::fill(place.share.begin(), place.share.end(), 0.0);
  std::fill(wide.share.begin(), wide.share.end(), 0.0);
  const OddsTable& tf = tables_[Idx(Bet::kTrifecta)];
  const OddsTable& tr = tables_[Idx(Bet::kTrio)];
  if (places_ == 2) {
    for (int h = 1; h <= 18; ++h) {
      double top2 = p_[static_cast<size_t>(h - 1)];
      for (int j = 1; j <= 18; ++j) top2 += exacta_[static_cast<size_t>((j - 1) * 18 + h - 1)];
      place.share[static_cast<size_t>(h - 1)] = top2 / 2;
    }
  } else {
    for (size_t e = 0; e < tf.combos.size(); ++e)
      for (int h : tf.combos[e]) place.share[static_cast<size_t>(h - 1)] += tf.share[e] / 3;
  }
  for (size_t e = 0; e < tr.combos.size(); ++e) {
    const int i = tr.combos[e][0], j = tr.combos[e][1], k = tr.combos[e][2];
    const double s = tr.share[e] / 3;
    wide.share[static_cast<size_t>(QuinellaEntry(i, j))] += s;
    wide.share[static_cast<size_t>(QuinellaEntry(i, k))] += s;
    wide.share[static_cast<size_t>(QuinellaEntry(j, k))] += s;
  }
}

void OddsModel::BracketShares() {
  OddsTable& br = tables_[Idx(Bet::kBracket)];
  std::fill(br.share.begin(), br.share.end(), 0.0);
  if (!bracket_on_sale_) return;
  const OddsTable& q = tables_[Idx(Bet::kQuinella)];
  for (size_t e = 0; e < q.combos.size(); ++e) {
    const int i = q.combos[e][0], j = q.combos[e][1];
    if (j > registered_) continue;
    const int a = bracket_of_[static_cast<size_t>(i - 1)],
              b = bracket_of_[static_cast<size_t>(j - 1)];
    br.share[static_cast<size_t>(BracketEntry(std::min(a, b), std::max(a, b)))] += q.share[e];
  }
}

// Entries of horses that do not exist (or of a bet not on sale) are blank, those that
// need a withdrawn horse carry its mark; the rest get odds.
int OddsModel::EntryMark(Bet bet, const std::array<int, 3>& combo) const {
  if (bet == Bet::kBracket) return BracketMark(combo[0], combo[1]);
  if ((bet == Bet::kPlace && places_ == 0)) return kNoEntry;
  int mark = kToCompute;
  for (int h : combo) {
    if (h == 0) continue;
    const char s = state_[static_cast<size_t>(h - 1)];
    if (s == ' ') return kNoEntry;
    if (s == '-') mark = kCancelledBefore;
    if (s == '*') mark = kCancelledAfter;
  }
  return mark;
}

int OddsModel::BracketMark(int a, int b) const {
  if (!bracket_on_sale_) return kNoEntry;
  std::array<int, 9> members{}, running{};
  char withdrawn = '*';
  for (int h = 1; h <= registered_; ++h) {
    const size_t bracket = static_cast<size_t>(bracket_of_[static_cast<size_t>(h - 1)]);
    ++members[bracket];
    if (state_[static_cast<size_t>(h - 1)] == 'R')
      ++running[bracket];
    else
      withdrawn = state_[static_cast<size_t>(h - 1)];
  }
  const size_t ua = static_cast<size_t>(a), ub = static_cast<size_t>(b);
  const bool possible = a == b ? members[ua] >= 2 : members[ua] >= 1 && members[ub] >= 1;
  if (!possible) return kNoEntry;
  const bool still = a == b ? running[ua] >= 2 : running[ua] >= 1 && running[ub] >= 1;
  if (still) return kToCompute;
  return withdrawn == '-' ? kCancelledBefore : kCancelledAfter;
}

// The even share of the long-shot bets spreads over the entries that get odds.
int OddsModel::MarkAndMix(Bet bet) {
  OddsTable& t = tables_[Idx(bet)];
  int valid = 0;
  for (size_t e = 0; e < t.combos.size(); ++e) {
    t.tenths[e] = EntryMark(bet, t.combos[e]);
    t.high[e] = 0;
    if (t.tenths[e] == kToCompute) ++valid;
  }
  const double mix = kTerms[Idx(bet)].mix;
  for (size_t e = 0; e < t.combos.size(); ++e) {
    t.share[e] = t.tenths[e] == kToCompute ? (1.0 - mix) * t.share[e] + mix / valid : 0.0;
  }
  return valid;
}

int OddsModel::Tenths(Bet bet, double odds) {
  const double tenths = std::floor(10.0 * odds + 1e-9);
  return static_cast<int>(std::clamp(tenths, 10.0, static_cast<double>(kTerms[Idx(bet)].cap)));
}

void OddsModel::SingleOdds(Bet bet) {
  MarkAndMix(bet);
  OddsTable& t = tables_[Idx(bet)];
  const double back = 1.0 - kTerms[Idx(bet)].takeout;
  for (size_t e = 0; e < t.combos.size(); ++e) {
    if (t.tenths[e] != kToCompute) continue;
    if (t.share[e] * static_cast<double>(t.votes) < 0.5) {
      t.tenths[e] = kNoVotes;
      continue;
    }
    t.tenths[e] = Tenths(bet, back / t.share[e]);
  }
}

// Place and wide pay every winning entry the same part of the pool: the low odds are
// those when the strongest backed horses share the places, the high ones the weakest.
void OddsModel::RangeOdds(Bet bet) {
  MarkAndMix(bet);
  OddsTable& t = tables_[Idx(bet)];
  const double back = 1.0 - kTerms[Idx(bet)].takeout;
  const int paid = bet == Bet::kPlace ? places_ : 3;
  for (size_t e = 0; e < t.combos.size(); ++e) {
    if (t.tenths[e] != kToCompute) continue;
    if (t.share[e] * static_cast<double>(t.votes) < 0.5) {
      t.tenths[e] = kNoVotes;
      continue;
    }
    double most = 0, least = 0;
    if (bet == Bet::kPlace)
      OtherPlacers(e, paid - 1, most, least);
    else
      OtherWidePairs(e, most, least);
    const double s = t.share[e];
    t.tenths[e] = Tenths(bet, 1.0 + (back - s - most) / (paid * s));
    t.high[e] = std::max(t.tenths[e], Tenths(bet, 1.0 + (back - s - least) / (paid * s)));
  }
}

void OddsModel::OtherPlacers(size_t entry, int count, double& most, double& least) const {
  const OddsTable& t = tables_[Idx(Bet::kPlace)];
  std::array<double, 18> others{};
  int n = 0;
  for (size_t k = 0; k < 18; ++k) {
    if (k != entry && state_[k] == 'R') others[static_cast<size_t>(n++)] = t.share[k];
  }
  std::sort(others.begin(), others.begin() + n);
  most = least = 0;
  for (int i = 0; i < count && i < n; ++i) {
    least += others[static_cast<size_t>(i)];
    most += others[static_cast<size_t>(n - 1 - i)];
  }
}

void OddsModel::OtherWidePairs(size_t entry, double& most, double& least) const {
  const OddsTable& t = tables_[Idx(Bet::kWide)];
  const int i = t.combos[entry][0], j = t.combos[entry][1];
  most = 0;
  least = 1e9;
  for (int k = 1; k <= 18; ++k) {
    if (k == i || k == j || state_[static_cast<size_t>(k - 1)] != 'R') continue;
    const double s = t.share[static_cast<size_t>(QuinellaEntry(std::min(i, k), std::max(i, k)))] +
                     t.share[static_cast<size_t>(QuinellaEntry(std::min(j, k), std::max(j, k)))];
    most = std::max(most, s);
    least = std::min(least, s);
  }
  if (least > most) least = most;
}

// Popularity follows the odds: lowest odds first, then the lower high odds, then the
// entry order.
void OddsModel::Rank(Bet bet) {
  OddsTable& t = tables_[Idx(bet)];
  sort_keys_.clear();
  for (size_t e = 0; e < t.combos.size(); ++e) {
    t.popularity[e] = 0;
    if (t.tenths[e] <= 0) continue;
    sort_keys_.push_back((static_cast<unsigned long long>(t.tenths[e]) << 37) |
                         (static_cast<unsigned long long>(t.high[e]) << 13) | e);
  }
  std::sort(sort_keys_.begin(), sort_keys_.end());
  for (size_t r = 0; r < sort_keys_.size(); ++r) {
    t.popularity[static_cast<size_t>(sort_keys_[r] & 0x1FFF)] = static_cast<int>(r) + 1;
  }
}

std::vector<long long> OddsModel::Payouts(Bet bet, const std::vector<int>& paid) const {
  const OddsTable& t = tables_[Idx(bet)];
  std::vector<long long> yen;
  double winning = 0;
  for (int e : paid) {
    codes::CheckIndex(e, 0, static_cast<long long>(t.combos.size()) - 1, "paid entry");
    winning += t.share[static_cast<size_t>(e)];
  }
  const bool shared = bet == Bet::kPlace || bet == Bet::kWide || paid.size() > 1;
  const double back = 1.0 - kTerms[Idx(bet)].takeout;
  for (int e : paid) {
    const size_t u = static_cast<size_t>(e);
    if (!shared && t.tenths[u] > 0) {
      yen.push_back(std::max(100LL, 10LL * t.tenths[u]));
      continue;
    }
    const double s = std::max(t.share[u], 1e-12);
    const double odds = 1.0 + (back - winning) / (static_cast<double>(paid.size()) * s);
    yen.push_back(std::max(100LL, static_cast<long long>(std::floor(odds * 10 + 1e-9)) * 10));
  }
  return yen;
}

}  // namespace samplefeed
