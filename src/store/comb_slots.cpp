#include "store/comb_slots.h"

#include <array>
#include <stdexcept>

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

// The combination numbers of every slot in order, one after another as the record writes
// them ("0102" "0103" …), so a record's entries are checked against them in one pass.
std::string SlotNumbers(int horses, bool ordered) {
  std::string numbers;
  for (int a = 1; a <= 18; ++a) {
    for (int b = ordered ? 1 : a + 1; b <= 18; ++b) {
      if (b == a) continue;
      if (horses == 2) {
        numbers += TwoDigits(a) + TwoDigits(b);
        continue;
      }
      for (int c = ordered ? 1 : b + 1; c <= 18; ++c) {
        if (c != a && c != b) numbers += TwoDigits(a) + TwoDigits(b) + TwoDigits(c);
      }
    }
  }
  return numbers;
}

const std::string& SlotNumbersOf(const SlotKind& kind) {
  static const std::array<std::string, 5> kNumbers = [] {
    std::array<std::string, 5> all;
    for (std::size_t k = 0; k < kSlotKinds.size(); ++k) {
      all[k] = SlotNumbers(kSlotKinds[k].horses, kSlotKinds[k].ordered);
    }
    return all;
  }();
  return kNumbers.at(static_cast<std::size_t>(&kind - kSlotKinds.data()));
}

// A byte loop the compiler keeps inline: a call to memcmp for four or six bytes costs
// more than the compare, and every entry of a day's odds is checked at every day load.
bool SameBytes(const char* a, const char* b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
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
    // Every day load checks every entry of the day's odds, so the common case (the entry
    // holds its slot's number) is one compare of a few bytes.
    const std::string& expected = SlotNumbersOf(kind);
    const auto step = static_cast<std::size_t>(run.entry_length);
    const auto w = static_cast<std::size_t>(width);
    if (expected.size() != w * static_cast<std::size_t>(run.count)) {
      throw std::logic_error("combination slots: the layout and the numbering disagree");
    }
    // (the record was checked above to hold every entry)
    const char* entry = record.data() + (run.start - 1);
    const char* want = expected.data();
    for (int i = 1; i <= run.count; ++i, entry += step, want += w) {
      if (SameBytes(entry, want, w)) continue;
      const std::string_view number(entry, w);
      if (Unfilled(number)) continue;
      return CombinationSlotMismatch{kind.name, i, codes::PrintableAscii(number),
                                     std::string(want, w)};
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
