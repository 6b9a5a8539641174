#include "screens/result_page.h"

#include "codes/cell_format.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/record_field.h"

namespace screens {
namespace {

int PagePosition(codes::BetType type) {
  for (size_t i = 0; i < kResultBetTypes.size(); ++i) {
    if (kResultBetTypes[i] == type) return static_cast<int>(i);
  }
  throw codes::LogicError("the result page has no row for bet type " +
                          std::to_string(static_cast<int>(type)));
}

ResultColumn Shown(std::string result, int popularity, int payout) {
  return {std::move(result), codes::FormatInt(popularity, 2), codes::FormatInt(payout, 8)};
}

template <typename Entries>
void FillHorses(const Entries& entries, std::vector<ResultColumn>& columns) {
  for (size_t i = 0; i < columns.size(); ++i) {
    const store::HorsePayout& entry = entries[static_cast<int>(i)];
    columns[i] = entry.horse != 0
                     ? Shown(codes::FormatInt(entry.horse, 2), entry.popularity, entry.payout)
                     : ResultColumn{};
  }
}

template <typename Entries>
void FillCombinations(const Entries& entries, std::string_view unpaid,
                      std::vector<ResultColumn>& columns) {
  for (size_t i = 0; i < columns.size(); ++i) {
    const store::CombPayout& entry = entries[static_cast<int>(i)];
    const bool paid = entry.text != unpaid && !codes::IsBlank(entry.text);
    columns[i] = paid ? Shown(entry.text, entry.popularity, entry.payout) : ResultColumn{};
  }
}

}  // namespace

const std::string& ResultBetName(codes::BetType type) {
  static const std::array<std::string, kResultBetTypes.size()> kNames = {
      codes::Sj("単勝"), codes::Sj("複勝"), codes::Sj("枠連"),   codes::Sj("馬連"),
      codes::Sj("ﾜｲﾄﾞ"), codes::Sj("馬単"), codes::Sj("三連複"), codes::Sj("三連単")};
  return kNames[static_cast<size_t>(PagePosition(type))];
}

int ResultColumnCount(codes::BetType type) {
  static constexpr std::array<int, kResultBetTypes.size()> kCounts = {3, 5, 3, 3, 7, 6, 3, 6};
  return kCounts[static_cast<size_t>(PagePosition(type))];
}

ResultPage::ResultPage() {
  for (codes::BetType type : kResultBetTypes) {
    columns_[static_cast<size_t>(PagePosition(type))].resize(
        static_cast<size_t>(ResultColumnCount(type)));
  }
}

const std::vector<ResultColumn>& ResultPage::Columns(codes::BetType type) const {
  return columns_[static_cast<size_t>(PagePosition(type))];
}

std::vector<ResultColumn>& ResultPage::Columns(codes::BetType type) {
  return columns_[static_cast<size_t>(PagePosition(type))];
}

void ResultPage::Clear() {
  for (auto& columns : columns_) {
    for (ResultColumn& column : columns) column = ResultColumn{};
  }
}

void FillResultPage(const store::RacePayouts& payouts, ResultPage& page) {
  using codes::BetType;
  static constexpr std::string_view kNoPair = " 0- 0";
  static constexpr std::string_view kNoTriple = " 0- 0- 0";
  FillHorses(payouts.Tan, page.Columns(BetType::Tan));
  FillHorses(payouts.Fuk, page.Columns(BetType::Fuk));
  FillCombinations(payouts.WR, kNoPair, page.Columns(BetType::WR));
  FillCombinations(payouts.UR, kNoPair, page.Columns(BetType::UR));
  FillCombinations(payouts.WD, kNoPair, page.Columns(BetType::WD));
  FillCombinations(payouts.UT, kNoPair, page.Columns(BetType::UT));
  FillCombinations(payouts.SRF, kNoTriple, page.Columns(BetType::SRF));
  FillCombinations(payouts.SRT, kNoTriple, page.Columns(BetType::SRT));
}

}  // namespace screens
