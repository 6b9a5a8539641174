#include "store/comb_slots.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "codes/cp932.h"
#include "codes/layouts/odds_layout.h"
#include "codes/message_text.h"
#include "codes/record_field.h"
#include "store/record_store.h"

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

// An entry's bytes as one number, so an entry is compared whole. Every day load checks
// every entry of the day's odds (a ３連単 record alone has 4,896), and most entries of a
// race of fewer than 18 runners are blank.
// (loaded as a 4- and a 2-byte word: one 8-byte word filled in parts stalls every load)
template <std::size_t W>
std::uint64_t EntryBytes(const char* p) {
  static_assert(W == 4 || W == 6);
  std::uint32_t low = 0;
  std::memcpy(&low, p, 4);
  if constexpr (W == 4) {
    return low;
  } else {
    std::uint16_t high = 0;
    std::memcpy(&high, p + 4, 2);
    return low | (std::uint64_t{high} << 32);
  }
}

// The first entry, from 1, that is filled (neither all blanks nor all zeros) and holds
// another number than its slot's; 0 when there is none.
template <std::size_t W>
int FirstMisplacedEntry(const char* entry, std::size_t step, const char* want, int count) {
  const std::uint64_t blanks = EntryBytes<W>("        ");
  const std::uint64_t zeros = EntryBytes<W>("00000000");
  for (int i = 1; i <= count; ++i, entry += step, want += W) {
    const std::uint64_t found = EntryBytes<W>(entry);
    // One branch, hardly ever taken: which test passes alternates too often for a branch each.
    if ((found != EntryBytes<W>(want)) & (found != blanks) & (found != zeros)) return i;
  }
  return 0;
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
    const std::string& expected = SlotNumbersOf(kind);
    const auto step = static_cast<std::size_t>(run.entry_length);
    const auto w = static_cast<std::size_t>(width);
    if (expected.size() != w * static_cast<std::size_t>(run.count)) {
      throw std::logic_error("combination slots: the layout and the numbering disagree");
    }
    // (the record was checked above to hold every entry)
    const char* first = record.data() + (run.start - 1);
    const int misplaced = kind.horses == 2
                              ? FirstMisplacedEntry<4>(first, step, expected.data(), run.count)
                              : FirstMisplacedEntry<6>(first, step, expected.data(), run.count);
    if (misplaced > 0) {
      const auto at = static_cast<std::size_t>(misplaced - 1);
      return CombinationSlotMismatch{kind.name, misplaced,
                                     codes::PrintableAscii(std::string_view(first + at * step, w)),
                                     expected.substr(at * w, w)};
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

bool CombinationsInSlots(std::string_view record, RecordStore& store) {
  const std::optional<CombinationSlotMismatch> mismatch = FindCombinationSlotMismatch(record);
  if (mismatch) store.AppendErrorLog(CombinationFaultLogText(record, *mismatch));
  return !mismatch;
}

}  // namespace store
