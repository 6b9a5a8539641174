// Combination odds are read by slot: a record whose filled entries stand in other
// slots (as a record listing only a small field's combinations, packed, would) is found
// out for every kind, while blank or zero slots of a small field pass.
#include "store/comb_slots.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codes/cp932.h"
#include "store/record_lengths.h"
#include "support/record_builder.h"

namespace store {
namespace {

struct KindCase {
  const char* id;
  int length;
  int entry_length;
  int horses;
  bool ordered;
};

// clang-format off
const KindCase kKinds[] = {
  {"O2", kO2Length, 13, 2, false},
  {"O3", kO3Length, 17, 2, false},
  {"O4", kO4Length, 13, 2, true},
  {"O5", kO5Length, 15, 3, false},
  {"O6", kO6Length, 17, 3, true},
};
// clang-format on

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Every combination of a full field in slot order, and whether it is among horses 1..runners.
std::vector<std::pair<std::string, bool>> Slots(const KindCase& k, int runners) {
  std::vector<std::pair<std::string, bool>> slots;
  for (int a = 1; a <= 18; ++a)
    for (int b = k.ordered ? 1 : a + 1; b <= 18; ++b) {
      if (b == a) continue;
      if (k.horses == 2) {
        slots.emplace_back(Two(a) + Two(b), a <= runners && b <= runners);
        continue;
      }
      for (int c = k.ordered ? 1 : b + 1; c <= 18; ++c)
        if (c != a && c != b) slots.emplace_back(Two(a) + Two(b) + Two(c), a <= runners && b <= runners && c <= runners);
    }
  return slots;
}

std::string Record(const KindCase& k) {
  return testsupport::RecordWithKey(k.id, k.length, '4', "2024051805020111");
}

void PutNumberAt(std::string& r, const KindCase& k, int slot, const std::string& number) {
  testsupport::Put(r, 41 + k.entry_length * slot, number);
}

class CombSlotsTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(CombSlotsTest, ASmallFieldInItsSlotsPasses) {
  const KindCase& k = GetParam();
  std::string r = Record(k);
  const auto slots = Slots(k, 10);
  for (size_t i = 0; i < slots.size(); ++i) {
    PutNumberAt(r, k, static_cast<int>(i), slots[i].second ? slots[i].first : std::string(slots[i].first.size(), i % 2 ? ' ' : '0'));
  }
  EXPECT_EQ(FindCombinationSlotMismatch(r), std::nullopt);
}

TEST_P(CombSlotsTest, ASmallFieldPackedIntoTheFirstSlotsIsFoundAtItsFirstShiftedEntry) {
  const KindCase& k = GetParam();
  std::string r = Record(k);
  int packed = 0;
  int first_shift = 0;
  for (const auto& [number, among] : Slots(k, 10)) {
    if (!among) continue;
    const auto slots = Slots(k, 18);
    if (first_shift == 0 && slots[static_cast<size_t>(packed)].first != number) first_shift = packed + 1;
    PutNumberAt(r, k, packed++, number);
  }
  const auto mismatch = FindCombinationSlotMismatch(r);
  ASSERT_TRUE(mismatch.has_value());
  EXPECT_EQ(mismatch->entry, first_shift);
  EXPECT_EQ(mismatch->expected, Slots(k, 18)[static_cast<size_t>(first_shift - 1)].first);
  const std::string log = codes::SjisToUtf8(CombinationFaultLogText(r, *mismatch));
  EXPECT_NE(log.find("組番が並びと合わないオッズレコードを破棄しました"), std::string::npos) << log;
  EXPECT_NE(log.find(std::string(k.id) + " 2024051805020111"), std::string::npos) << log;
}

TEST_P(CombSlotsTest, OneWrongNumberInTheLastSlotIsFound) {
  const KindCase& k = GetParam();
  std::string r = Record(k);
  const auto slots = Slots(k, 18);
  PutNumberAt(r, k, static_cast<int>(slots.size()) - 1, slots.front().first);
  const auto mismatch = FindCombinationSlotMismatch(r);
  ASSERT_TRUE(mismatch.has_value());
  EXPECT_EQ(mismatch->entry, static_cast<int>(slots.size()));
  EXPECT_EQ(mismatch->found, slots.front().first);
}

// An entry is compared whole: a number wrong only in its last horse, or blank in part,
// is a filled entry out of its slot.
TEST_P(CombSlotsTest, AnEntryWrongInAnyOfItsBytesIsFound) {
  const KindCase& k = GetParam();
  const std::string right = Slots(k, 18)[5].first;
  std::string last_horse = right;
  last_horse.replace(last_horse.size() - 2, 2, "18");
  const std::string half_blank = std::string(2, ' ') + right.substr(2);
  const std::string half_zeros = right.substr(0, 2) + std::string(right.size() - 2, '0');
  for (const std::string& wrong : {last_horse, half_blank, half_zeros}) {
    std::string r = Record(k);
    PutNumberAt(r, k, 5, wrong);
    const auto mismatch = FindCombinationSlotMismatch(r);
    ASSERT_TRUE(mismatch.has_value()) << wrong;
    EXPECT_EQ(mismatch->entry, 6) << wrong;
    EXPECT_EQ(mismatch->found, wrong);
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CombSlotsTest, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.id); });

TEST(CombSlots, OtherRecordsAndShortOnesAreNotJudged) {
  EXPECT_EQ(FindCombinationSlotMismatch(testsupport::RecordWithKey("O1", kO1Length, '4', "2024051805020111")),
            std::nullopt);
  EXPECT_EQ(FindCombinationSlotMismatch("O2"), std::nullopt);
  EXPECT_EQ(FindCombinationSlotMismatch(""), std::nullopt);
}

}  // namespace
}  // namespace store
