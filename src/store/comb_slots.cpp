#include "store/comb_slots.h"

#include <array>
#include <vector>

#include "codes/cp932.h"
#include "codes/layouts/odds_layout.h"
#include "codes/message_text.h"
#include "codes/record_field.h"

namespace store {
namespace {

namespace layout = codes::odds_layout;

// A kind of combination record: its entries and how its combinations run.
struct SlotKind {
  std::string_view id;
  const char* name;  // UTF-8
  const layout::OddsRun& run;
  int horses;    // numbers in a combination
  bool ordered;  // finishing order counts (馬単, ３連単)
};

const std::array<SlotKind, 5> kSlotKinds{{
    {"O2", "馬連", layout::kQuinella, 2, false},
    {"O3", "ワイド", layout::kWide, 2, false},
    {"O4", "馬単", layout::kExacta, 2, true},
    {"O5", "３連複", layout::kTrio, 3, false},
    {"O6", "３連単", layout::kTrifecta, 3, true},
}};

std::string TwoDigits(int n) { return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)}; }

// The combination numbers of every slot in order, as the record writes them ("0102").
std::vector<std::string> SlotNumbers(int horses, bool ordered) {
  std::vector<std::string> numbers;
  for (int a = 1; a <= 18; ++a) {
    for (int b = ordered ? 1 : a + 1; b <= 18; ++b) {
      if (b == a) continue;
      if (horses == 2) {
        numbers.push_back(TwoDigits(a) + TwoDigits(b));
        continue;
      }
      for (int c = ordered ? 1 : b + 1; c <= 18; ++c) {
        if (c != a && c != b) numbers.push_back(TwoDigits(a) + TwoDigits(b) + TwoDigits(c));
      }
    }
  }
  return numbers;
}

const std::vector<std::string>& SlotNumbersOf(const SlotKind& kind) {
  static const std::array<std::vector<std::string>, 5> kNumbers = [] {
    std::array<std::vector<std::string>, 5> all;
    for (std::size_t k = 0; k < kSlotKinds.size(); ++k) {
      all[k] = SlotNumbers(kSlotKinds[k].horses, kSlotKinds[k].ordered);
    }
    return all;
  }();
  return kNumbers[static_cast<std::size_t>(&kind - kSlotKinds.data())];
}

bool Unfilled(std::string_view number) {
  return number.find_first_not_of(' ') == std::string_view::npos ||
         number.find_first_not_of('0') == std::string_view::npos;
}

}  // namespace

std::optional<CombinationSlotMismatch> FindCombinationSlotMismatch(std::string_view record) {
  if (record.size() < 2) return std::nullopt;
  const std::string_view id = record.substr(0, 2);
  for (const SlotKind& kind : kSlotKinds) {
    if (kind.id != id) continue;
    const layout::OddsRun& run = kind.run;
    const int width = kind.horses * 2;
    const std::size_t end = static_cast<std::size_t>(run.start - 1 + run.entry_length * run.count);
    if (record.size() < end) return std::nullopt;
    const std::vector<std::string>& expected = SlotNumbersOf(kind);
    for (int i = 1; i <= run.count; ++i) {
      const std::string_view number = codes::Field(record, run.start + run.entry_length * (i - 1), width);
      if (Unfilled(number) || number == expected[static_cast<std::size_t>(i - 1)]) continue;
      return CombinationSlotMismatch{kind.name, i, codes::PrintableAscii(number),
                                     expected[static_cast<std::size_t>(i - 1)]};
    }
    return std::nullopt;
  }
  return std::nullopt;
}

std::string CombinationFaultLogText(std::string_view record, const CombinationSlotMismatch& mismatch) {
  const std::string why = std::string(mismatch.kind) + "の" + std::to_string(mismatch.entry) +
                          "番目が" + mismatch.expected + "でなく" + mismatch.found;
  return codes::Sj("組番が並びと合わないオッズレコードを破棄しました（" + why + "）：") + codes::PrintableAscii(codes::Field(record, 1, 2)) +
         " " + codes::PrintableAscii(codes::Field(record, codes::header_layout::kRaceKey));
}

}  // namespace store
