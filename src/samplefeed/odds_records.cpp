#include "samplefeed/odds_records.h"

#include <array>

#include "codes/errors.h"
#include "samplefeed/record_text.h"

namespace samplefeed {

namespace {

constexpr std::array<int, kOddsKinds> kLengths = {962, 2042, 2654, 4031, 12293, 83285};

// Where the entries of a bet type stand and how they are written.
struct EntryLayout {
  Bet bet;
  int start;
  int numbers;       // horse (or bracket) numbers of the combination
  int number_width;  // 2 for horses, 1 for brackets
  int odds_width;
  bool range;  // low and high odds
  int popularity_width;
};

// clang-format off
constexpr EntryLayout kWin      {Bet::kWin,      44, 1, 2, 4, false, 2};
constexpr EntryLayout kPlace    {Bet::kPlace,   268, 1, 2, 4, true,  2};
constexpr EntryLayout kBracket  {Bet::kBracket, 604, 2, 1, 5, false, 2};
constexpr EntryLayout kQuinella {Bet::kQuinella, 41, 2, 2, 6, false, 3};
constexpr EntryLayout kWide     {Bet::kWide,     41, 2, 2, 5, true,  3};
constexpr EntryLayout kExacta   {Bet::kExacta,   41, 2, 2, 6, false, 3};
constexpr EntryLayout kTrio     {Bet::kTrio,     41, 3, 2, 6, false, 3};
constexpr EntryLayout kTrifecta {Bet::kTrifecta, 41, 3, 2, 7, false, 4};
// clang-format on

// Only odds announced while the sale runs carry their moment; the final odds (最終,
// 確定 and 確定 of Monday) carry zeros, as the service writes them.
bool CarriesAnnouncementTime(char data_kind) {
  return data_kind != '3' && data_kind != '4' && data_kind != '5';
}

int EntryLength(const EntryLayout& l) {
  return l.numbers * l.number_width + l.odds_width * (l.range ? 2 : 1) + l.popularity_width;
}

void PutOdds(RecordText& rec, int pos, int width, int tenths) {
  switch (tenths) {
    case kNoEntry:
      break;  // stays blank
    case kCancelledBefore:
      rec.Fill(pos, width, '-');
      break;
    case kCancelledAfter:
      rec.Fill(pos, width, '*');
      break;
    default:
      rec.Number(pos, width, tenths);
      break;
  }
}

// `entries` entries from l.start; the win and place lists run to 28 horses, of which
// the record fills the registered ones.
void PutEntries(RecordText& rec, const EntryLayout& l, int entries, const OddsTable& t,
                bool voided) {
  const int length = EntryLength(l);
  for (int e = 0; e < entries; ++e) {
    if (static_cast<size_t>(e) >= t.combos.size()) break;
    const size_t u = static_cast<size_t>(e);
    const int tenths = voided ? kNoEntry : t.tenths[u];
    if (tenths == kNoEntry && (voided || l.numbers > 1 || t.combos[u][0] > 18)) continue;
    int pos = l.start + e * length;
    for (int n = 0; n < l.numbers; ++n) {
      rec.Number(pos, l.number_width, t.combos[u][static_cast<size_t>(n)]);
      pos += l.number_width;
    }
    PutOdds(rec, pos, l.odds_width, tenths);
    pos += l.odds_width;
    if (l.range) {
      PutOdds(rec, pos, l.odds_width, tenths > 0 ? t.high[u] : tenths);
      pos += l.odds_width;
    }
    if (tenths > 0) rec.Number(pos, l.popularity_width, t.popularity[u]);
  }
}

void PutWinPlaceBracket(RecordText& rec, const RacePlan& race, const OddsModel& m, bool voided) {
  const char cancelled = '3';
  rec.Text(40, std::string(1, voided ? cancelled : '7'));
  rec.Text(41, std::string(1, voided ? cancelled : (m.PlacesPaid() > 0 ? '7' : '0')));
  rec.Text(42, std::string(1, voided ? cancelled : (m.BracketOnSale() ? '7' : '0')));
  rec.Number(43, 1, voided ? 0 : m.PlacesPaid());
  // Win and place list the registered horses only.
  const OddsTable& win = m.Table(Bet::kWin);
  const OddsTable& place = m.Table(Bet::kPlace);
  PutEntries(rec, kWin, race.Registered(), win, voided);
  PutEntries(rec, kPlace, race.Registered(), place, voided);
  PutEntries(rec, kBracket, 36, m.Table(Bet::kBracket), voided);
  rec.Number(928, 11, voided ? 0 : win.votes);
  rec.Number(939, 11, voided || m.PlacesPaid() == 0 ? 0 : place.votes);
  rec.Number(950, 11, voided || !m.BracketOnSale() ? 0 : m.Table(Bet::kBracket).votes);
}

}  // namespace

int OddsRecordLength(int kind) {
  codes::CheckIndex(kind, 1, kOddsKinds, "odds kind");
  return kLengths[static_cast<size_t>(kind - 1)];
}

void AppendOddsRecord(std::string& out, int kind, const RacePlan& race, const OddsModel& model,
                      char data_kind, const FeedMoment& announced, bool voided) {
  const int length = OddsRecordLength(kind);
  RecordText rec(out, length);
  const FeedMoment at = announced.Normalised();
  std::string id = "O";  // appended, not "O" + string&&: GCC 12 warns falsely on that
  id += std::to_string(kind);
  rec.Header(id, data_kind, at.ymd, race.key);
  char mdhm[8];
  at.Mdhm8(mdhm);
  rec.Text(28, CarriesAnnouncementTime(data_kind) ? std::string_view(mdhm, 8) : "00000000");
  rec.Number(36, 2, race.Registered());
  rec.Number(38, 2, race.Starters());
  if (kind == 1) {
    PutWinPlaceBracket(rec, race, model, voided);
    return;
  }
  static constexpr std::array<const EntryLayout*, 5> kLayouts = {&kQuinella, &kWide, &kExacta,
                                                                 &kTrio, &kTrifecta};
  const EntryLayout& l = *kLayouts[static_cast<size_t>(kind - 2)];
  const OddsTable& t = model.Table(l.bet);
  rec.Text(40, voided ? "3" : "7");
  PutEntries(rec, l, static_cast<int>(t.combos.size()), t, voided);
  rec.Number(length - 12, 11, voided ? 0 : t.votes);
}

void AppendOddsRecords(std::string& out, const RacePlan& race, const OddsModel& model,
                       char data_kind, const FeedMoment& announced) {
  for (int kind = 1; kind <= kOddsKinds; ++kind) {
    AppendOddsRecord(out, kind, race, model, data_kind, announced);
  }
}

}  // namespace samplefeed
