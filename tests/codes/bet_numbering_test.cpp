#include "codes/bet_numbering.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "codes/errors.h"
#include "support/case_name.h"

namespace codes {
namespace {

void PrintTo(BetType type, std::ostream* os) {
  static const char* const kNames[] = {"Tan", "Fuk", "WR", "UR", "WD", "UT", "SRF", "SRT"};
  *os << kNames[static_cast<int>(type)];
}

struct AnchorCase {
  BetType type;
  const char* text;
  int index;
};
void PrintTo(const AnchorCase& c, std::ostream* os) {
  PrintTo(c.type, os);
  *os << " \"" << c.text << "\" " << c.index;
}

class CombAnchorTest : public ::testing::TestWithParam<AnchorCase> {};

TEST_P(CombAnchorTest, TextAndIndexAgree) {
  const AnchorCase& c = GetParam();
  EXPECT_EQ(CombIndex(c.type, c.text), c.index) << c.text;
  EXPECT_EQ(CombText(c.type, c.index), c.text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(ClosedForms, CombAnchorTest, ::testing::Values(
    AnchorCase{BetType::Tan, " 7", 7},        AnchorCase{BetType::Fuk, "18", 18},
    AnchorCase{BetType::WR,  " 1- 1", 1},     AnchorCase{BetType::WR,  " 1- 8", 8},
    AnchorCase{BetType::WR,  " 2- 2", 9},     AnchorCase{BetType::WR,  " 8- 8", 36},
    AnchorCase{BetType::UR,  " 1- 2", 1},     AnchorCase{BetType::UR,  " 1-18", 17},
    AnchorCase{BetType::UR,  " 2- 3", 18},    AnchorCase{BetType::UR,  "17-18", 153},
    AnchorCase{BetType::WD,  " 2- 3", 18},    AnchorCase{BetType::WD,  "17-18", 153},
    AnchorCase{BetType::UT,  " 1- 2", 1},     AnchorCase{BetType::UT,  " 1-18", 17},
    AnchorCase{BetType::UT,  " 2- 1", 18},    AnchorCase{BetType::UT,  " 2- 3", 19},
    AnchorCase{BetType::UT,  " 3- 2", 36},    AnchorCase{BetType::UT,  "18-17", 306},
    AnchorCase{BetType::SRF, " 1- 2- 3", 1},  AnchorCase{BetType::SRF, " 1- 2-18", 16},
    AnchorCase{BetType::SRF, " 1- 3- 4", 17}, AnchorCase{BetType::SRF, " 2- 3- 4", 137},
    AnchorCase{BetType::SRF, "16-17-18", 816},
    AnchorCase{BetType::SRT, " 1- 2- 3", 1},  AnchorCase{BetType::SRT, " 1-18-17", 272},
    AnchorCase{BetType::SRT, " 2- 1- 3", 273}, AnchorCase{BetType::SRT, " 9-18-17", 2448},
    AnchorCase{BetType::SRT, "10- 1- 2", 2449}, AnchorCase{BetType::SRT, "18-17-16", 4896}),
    testsupport::PrintedCaseName());
// clang-format on

struct RejectCase {
  BetType type;
  const char* text;
};
void PrintTo(const RejectCase& c, std::ostream* os) {
  PrintTo(c.type, os);
  *os << " \"" << c.text << '"';
}

class CombRejectTest : public ::testing::TestWithParam<RejectCase> {};

TEST_P(CombRejectTest, GivesZero) {
  EXPECT_EQ(CombIndex(GetParam().type, GetParam().text), 0) << GetParam().text;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(MalformedOrOutOfOrder, CombRejectTest, ::testing::Values(
    RejectCase{BetType::UR, " 1- 1"},    RejectCase{BetType::WD, " 1- 1"},
    RejectCase{BetType::UT, " 1- 1"},    RejectCase{BetType::UR, "1-2"},
    RejectCase{BetType::UR, " 2- 1"},    RejectCase{BetType::UR, "01-02"},
    RejectCase{BetType::UR, " 1 - 2"},   RejectCase{BetType::UR, " 1- 2 "},
    RejectCase{BetType::UR, " 1+ 2"},    RejectCase{BetType::UR, " 0- 2"},
    RejectCase{BetType::UR, " 1-19"},    RejectCase{BetType::UR, ""},
    RejectCase{BetType::UR, "-1- 2"},    RejectCase{BetType::UR, " 1-2 "},
    RejectCase{BetType::WR, " 1- 9"},    RejectCase{BetType::WR, " 3- 2"},
    RejectCase{BetType::SRF, " 3- 2- 1"}, RejectCase{BetType::SRF, " 1- 2- 2"},
    RejectCase{BetType::SRF, " 1- 2"},   RejectCase{BetType::SRT, " 1- 1- 2"},
    RejectCase{BetType::SRT, " 1- 2- 1"}, RejectCase{BetType::SRT, "19- 1- 2"},
    RejectCase{BetType::SRT, " 1- 2 - 3"}, RejectCase{BetType::Tan, "7"},
    RejectCase{BetType::Tan, " 0"},      RejectCase{BetType::Tan, "19"},
    RejectCase{BetType::Fuk, "07"}),
    testsupport::PrintedCaseName());
// clang-format on

// The short road for one and two digits and the general one for the rest give the
// printf "%2d" text.
TEST(NumberTextTest, IsTheNumberRightAlignedInTwoColumns) {
  for (int n = -12; n <= 120; ++n) {
    char expected[16];
    std::snprintf(expected, sizeof expected, "%2d", n);
    EXPECT_EQ(NumberText(n), expected) << n;
  }
}

// Numbers every combination of the type by plain nested loops, in the order the
// numbering is defined (first number slowest), as the texts the lookups must accept.
std::vector<std::string> EnumerateInOrder(BetType type) {
  std::vector<std::string> texts;
  const int max = type == BetType::WR ? kMaxBracket : kMaxHorse;
  for (int i = 1; i <= max; ++i) {
    if (type == BetType::Tan || type == BetType::Fuk) {
      texts.push_back(NumberText(i));
      continue;
    }
    for (int j = 1; j <= max; ++j) {
      const bool pair_ok = type == BetType::WR                          ? i <= j
                           : type == BetType::UR || type == BetType::WD ? i < j
                           : type == BetType::UT                        ? i != j
                           : type == BetType::SRF                       ? i < j
                                                                        : i != j;
      if (!pair_ok) continue;
      if (type != BetType::SRF && type != BetType::SRT) {
        texts.push_back(PairText(i, j));
        continue;
      }
      for (int k = 1; k <= max; ++k) {
        const bool ok = type == BetType::SRF ? j < k : k != i && k != j;
        if (ok) texts.push_back(TripleText(i, j, k));
      }
    }
  }
  return texts;
}

class CombRoundTripTest : public ::testing::TestWithParam<BetType> {};

TEST_P(CombRoundTripTest, EveryIndexIsTheLexicographicPosition) {
  const BetType type = GetParam();
  const std::vector<std::string> texts = EnumerateInOrder(type);
  ASSERT_EQ(static_cast<int>(texts.size()), CombCount(type));
  for (int index = 1; index <= CombCount(type); ++index) {
    const std::string& text = texts[static_cast<std::size_t>(index - 1)];
    ASSERT_EQ(CombText(type, index), text) << index;
    ASSERT_EQ(CombIndex(type, text), index) << text;
    if (index > 1) {
      ASSERT_LT(texts[static_cast<std::size_t>(index - 2)], text);
    }
  }
}

// Every text of "%2d" numbers in 0..20 that is not in the enumeration gives 0.
TEST_P(CombRoundTripTest, AcceptsNoOtherNumberTexts) {
  const BetType type = GetParam();
  const std::vector<std::string> valid = EnumerateInOrder(type);
  const int width = type == BetType::SRF || type == BetType::SRT   ? 3
                    : type == BetType::Tan || type == BetType::Fuk ? 1
                                                                   : 2;
  int accepted = 0;
  for (int i = 0; i <= 20; ++i) {
    for (int j = 0; j <= (width > 1 ? 20 : 0); ++j) {
      for (int k = 0; k <= (width > 2 ? 20 : 0); ++k) {
        const std::string text = width == 1   ? NumberText(i)
                                 : width == 2 ? PairText(i, j)
                                              : TripleText(i, j, k);
        if (CombIndex(type, text) != 0) ++accepted;
      }
    }
  }
  EXPECT_EQ(accepted, static_cast<int>(valid.size()));
}

TEST_P(CombRoundTripTest, IndexOutsideTheCountIsALogicError) {
  EXPECT_THROW(CombText(GetParam(), 0), LogicError);
  EXPECT_THROW(CombText(GetParam(), CombCount(GetParam()) + 1), LogicError);
}

// The cases in the order of the values below, named by their bet types.
std::string BetTypeCaseName(const ::testing::TestParamInfo<BetType>& info) {
  static const std::array<const char*, 8> kNames{"Tan", "Fuk", "WR",  "UR",
                                                 "WD",  "UT",  "SRF", "SRT"};
  return kNames.at(info.index);
}

INSTANTIATE_TEST_SUITE_P(AllTypes, CombRoundTripTest,
                         ::testing::Values(BetType::Tan, BetType::Fuk, BetType::WR, BetType::UR,
                                           BetType::WD, BetType::UT, BetType::SRF, BetType::SRT),
                         BetTypeCaseName);

TEST(CombCount, CoversTheFullField) {
  EXPECT_EQ(CombCount(BetType::WR), 36);
  EXPECT_EQ(CombCount(BetType::UR), 153);
  EXPECT_EQ(CombCount(BetType::UT), 306);
  EXPECT_EQ(CombCount(BetType::SRF), 816);
  EXPECT_EQ(CombCount(BetType::SRT), 4896);
}

TEST(IndexOf, EachLookupKeepsToItsOwnType) {
  EXPECT_EQ(UTIndexOf(" 2- 1"), 18);
  EXPECT_EQ(URIndexOf(" 2- 1"), 0);
  EXPECT_EQ(URIndexOf("17-18"), 153);
  EXPECT_EQ(WRIndexOf(" 1- 1"), 1);
  EXPECT_EQ(URIndexOf(" 1- 1"), 0);
  EXPECT_EQ(SRFIndexOf("16-17-18"), 816);
  EXPECT_EQ(SRFIndexOf(" 3- 2- 1"), 0);
  EXPECT_EQ(SRTIndexOf("10- 1- 2"), 2449);
  EXPECT_EQ(SRTIndexOf(" 9-18-17"), 2448);
}

TEST(SRTIndexOf, ComparesOnlyTheFirstEightCharacters) {
  EXPECT_EQ(SRTIndexOf("18-17-16   123.4  5"), 4896);
  EXPECT_EQ(SRTIndexOf(" 1- 2- 3x"), 1);
  EXPECT_EQ(SRTIndexOf(" 1- 2-"), 0);
  EXPECT_EQ(SRFIndexOf(" 1- 2- 3x"), 0);
}

struct TrioCase {
  int a, b, c;
  const char* text;
};
void PrintTo(const TrioCase& t, std::ostream* os) { *os << t.a << ',' << t.b << ',' << t.c; }

class SRFTextOfTest : public ::testing::TestWithParam<TrioCase> {};

TEST_P(SRFTextOfTest, SortsOrRejects) {
  const TrioCase& t = GetParam();
  EXPECT_EQ(SRFTextOf(t.a, t.b, t.c), t.text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Trios, SRFTextOfTest, ::testing::Values(
    TrioCase{5, 2, 9, " 2- 5- 9"},  TrioCase{9, 5, 2, " 2- 5- 9"},
    TrioCase{2, 9, 5, " 2- 5- 9"},  TrioCase{18, 1, 10, " 1-10-18"},
    TrioCase{5, 5, 9, ""},          TrioCase{9, 5, 9, ""},
    TrioCase{0, 2, 3, ""},          TrioCase{2, 3, 19, ""},
    TrioCase{-1, 2, 3, ""}),
    testsupport::PrintedCaseName());
// clang-format on

TEST(PairText, WritesEachNumberInTwoPositions) {
  EXPECT_EQ(PairText(3, 10), " 3-10");
  EXPECT_EQ(PairText(12, 1), "12- 1");
  EXPECT_EQ(TripleText(10, 3, 7), "10- 3- 7");
}

}  // namespace
}  // namespace codes
