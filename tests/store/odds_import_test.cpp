#include "store/odds_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "codes/errors.h"
#include "platform/clock.h"
#include "store/comb_odds.h"
#include "store/day_prefix.h"
#include "store/odds_text.h"
#include "store/record_store.h"
#include "store/shared_record.h"
#include "support/case_name.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace {

using codes::BetType::SRF;
using codes::BetType::SRT;
using codes::BetType::UR;
using codes::BetType::UT;
using store::OddsKind;
using testsupport::Put;

// ---- odds text --------------------------------------------------------------

struct OddsTextCase {
  const char* text;
  double value;
};

class OddsTextTest : public ::testing::TestWithParam<OddsTextCase> {};

TEST_P(OddsTextTest, ConvertsTheField) {
  EXPECT_EQ(store::OddsValue(GetParam().text), GetParam().value) << GetParam().text;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sentinels, OddsTextTest, ::testing::Values(
  OddsTextCase{"----", -1.0},
  OddsTextCase{"****", -1.0},
  OddsTextCase{"    ", -2.0},
  OddsTextCase{"0123", 12.3},
  OddsTextCase{" 123", 12.3},
  OddsTextCase{"0000", 0.0},
  OddsTextCase{"------", -1.0},
  OddsTextCase{"******", -1.0},
  OddsTextCase{"*******", -1.0},
  OddsTextCase{"      ", -2.0},
  OddsTextCase{"012345", 1234.5},
  OddsTextCase{"9999999", 999999.9},
  OddsTextCase{"0123 ", 12.3},
  OddsTextCase{"", -2.0},
  OddsTextCase{"0000000", 0.0},
  OddsTextCase{"123456789012345", 12345678901234.5},     // the longest plain-digit field
  OddsTextCase{"1234567890123456", 123456789012345.6}),
    testsupport::CaseNameOf(&OddsTextCase::text));  // past it: the general conversion
// clang-format on

// Plain digits take a shorter road than trimmed or dotted text: both must give the double
// nearest to the delivered tenths divided by 10, for every four-digit field and a spread of
// seven-digit ones.
TEST(OddsTextTest, PlainDigitsGiveTheSameValueAsTheGeneralConversion) {
  for (long long tenths = 0; tenths <= 9999999; tenths += tenths < 10000 ? 1 : 9973) {
    const std::string digits = std::to_string(tenths);
    const std::string padded = std::string(7 - digits.size(), '0') + digits;
    const double expected = static_cast<double>(std::stoll(digits)) / 10;
    ASSERT_EQ(store::OddsValue(padded), expected) << padded;
    ASSERT_EQ(store::OddsValue(" " + digits), expected) << digits;
  }
}

// The check of a whole run reads each field as one word; it must flag exactly the fields
// the byte-by-byte check flags, with any byte at any place of the field, for the first
// entry and for the last (whose word may reach the end of the record).
TEST(OddsTextTest, TheRunCheckFlagsExactlyTheFieldsTheByteCheckFlags) {
  for (const codes::BetType type : {codes::BetType::UR, codes::BetType::SRT}) {
    const codes::odds_layout::OddsRun& run = store::CombOddsRunOf(type);
    const int length = type == codes::BetType::UR ? store::kO2Length : store::kO6Length;
    std::string record = testsupport::BlankRecord(length);
    for (const int entry : {1, run.count}) {
      const int pos = run.OddsPos(entry);
      for (const char base : {'0', ' '}) {
        for (int at = 0; at < run.odds_width; ++at) {
          for (int byte = 0; byte < 256; ++byte) {
            std::string field(static_cast<size_t>(run.odds_width), base);
            field[static_cast<size_t>(at)] = static_cast<char>(byte);
            Put(record, pos, field);
            const int expected = store::IsDigitsOrBlank(field) ? run.count + 1 : entry;
            ASSERT_EQ(store::NextOtherOddsText(record, run, 1), expected)
                << "entry " << entry << " byte " << byte << " at " << at;
          }
        }
      }
      Put(record, pos, std::string(static_cast<size_t>(run.odds_width), ' '));
    }
  }
}

class BadOddsTextTest : public ::testing::TestWithParam<const char*> {};

TEST_P(BadOddsTextTest, RaisesAConversionError) {
  try {
    store::OddsValue(GetParam());
    FAIL() << GetParam();
  } catch (const codes::InputError& e) {
    EXPECT_NE(std::string(e.what()).find(GetParam()), std::string::npos) << e.what();
  }
}

// A short run of marks is no sentinel; mixed marks neither.
INSTANTIATE_TEST_SUITE_P(NotOdds, BadOddsTextTest,
                         ::testing::Values("  --", "**  ", "--**", "12a4", "1 23", "-123", "+123"),
                         testsupport::PrintedCaseName());

// ---- records and files of a test day ------------------------------------------

constexpr const char* kYmd = "20240518";

std::string KeyOf(const std::string& course, int race, const std::string& meeting = "0203") {
  char number[3];
  std::snprintf(number, sizeof number, "%02d", race);
  return kYmd + course + meeting + number;
}

std::string RaOf(const std::string& key, int runners) {
  std::string ra = testsupport::RecordWithKey("RA", store::kRaLength, '7', key);
  testsupport::PutNumber(ra, 882, 2, runners);
  return ra;
}

std::string Tenths(double odds, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*ld", width, std::lround(odds * 10));
  return text;
}

std::string O1Of(const std::string& key, const std::vector<double>& win,
                 const std::vector<double>& place) {
  std::string r = testsupport::RecordWithKey("O1", store::kO1Length, '1', key);
  for (size_t k = 0; k < win.size(); ++k) {
    const int h = static_cast<int>(k) + 1;
    testsupport::PutNumber(r, 44 + 8 * static_cast<int>(k), 2, h);
    Put(r, 46 + 8 * static_cast<int>(k), Tenths(win[k], 4));
    testsupport::PutNumber(r, 268 + 12 * static_cast<int>(k), 2, h);
    Put(r, 270 + 12 * static_cast<int>(k), Tenths(place[k], 4));
  }
  return r;
}

// A combination record whose entry i has the given odds text and popularity.
struct CombLayout {
  const char* id;
  int length;
  int entry_length;
  int odds_at;
  int odds_width;
  int pop_width;
};
constexpr CombLayout kO2{"O2", store::kO2Length, 13, 4, 6, 3};
constexpr CombLayout kO4{"O4", store::kO4Length, 13, 4, 6, 3};
constexpr CombLayout kO5{"O5", store::kO5Length, 15, 6, 6, 3};
constexpr CombLayout kO6{"O6", store::kO6Length, 17, 6, 7, 4};

std::string CombRecordOf(const CombLayout& l, const std::string& key) {
  return testsupport::RecordWithKey(l.id, l.length, '1', key);
}

void PutEntry(std::string& r, const CombLayout& l, int i, const std::string& odds, int pop) {
  const int entry = 41 + l.entry_length * (i - 1);
  Put(r, entry + l.odds_at, odds);
  testsupport::PutNumber(r, entry + l.odds_at + l.odds_width, l.pop_width, pop);
}

std::string Join(const std::vector<std::string>& records) {
  std::string bytes;
  for (const std::string& r : records) bytes += r;
  return bytes;
}

class OddsImportTest : public ::testing::Test {
 protected:
  OddsImportTest()
      : clock_(platform::LocalTime{2024, 5, 18, 9, 0, 0}),
        store_(dir_.path(), clock_),
        prefix_(*store::DayPrefixOfDate(kYmd)),
        day_(std::make_unique<store::RaceDay>()) {
    store_.PrepareFolders();
  }

  void WriteOdds(std::string_view suffix, const std::string& bytes) {
    testsupport::WriteFileBytes(store_.DayFilePath(prefix_, suffix), bytes);
  }

  // Imports slot `s` from the files as they are now.
  void Import(int s) {
    const store::DayOddsFiles files(store_, prefix_);
    day_->OzTargetSlot = s;
    store::ImportOdds(*day_, files);
  }

  store::RaceWork& Work(int s) { return day_->Work[s]; }
  store::CombOdds Comb(int s, codes::BetType type, int index) const {
    return store::RaceCombOdds(*day_, s).Of(type, index);
  }

  testsupport::TempDir dir_;
  platform::FixedClock clock_;
  store::RecordStore store_;
  std::string prefix_;
  std::unique_ptr<store::RaceDay> day_;
};

TEST_F(OddsImportTest, WinOddsTiesAreDecidedByPlaceOddsAndPlaceTiesByWinOdds) {
  day_->RaRec[0].Assign(RaOf(KeyOf("05", 1), 3));
  WriteOdds(".jvO1a", O1Of(KeyOf("05", 1), {3.5, 1.2, 3.5}, {1.2, 1.1, 1.1}));
  Import(0);
  const store::RaceWork& w = Work(0);
  EXPECT_EQ(w.AsaWinOdds[0], 3.5);
  EXPECT_EQ(w.AsaPlaceLow[2], 1.1);
  EXPECT_EQ((std::vector{w.AsaWinRank[0], w.AsaWinRank[1], w.AsaWinRank[2]}),
            (std::vector{3, 1, 2}));
  EXPECT_EQ((std::vector{w.AsaPlaceLowRank[0], w.AsaPlaceLowRank[1], w.AsaPlaceLowRank[2]}),
            (std::vector{3, 1, 2}));
  EXPECT_EQ(w.AsaWinRank[3], 0);
}

TEST_F(OddsImportTest, ARunnerWithoutPlaceOddsKeepsItsWinOddsButIsInNoOrder) {
  day_->RaRec[0].Assign(RaOf(KeyOf("05", 1), 3));
  std::string o1 = O1Of(KeyOf("05", 1), {2.0, 1.5, 4.0}, {1.1, 1.0, 1.3});
  Put(o1, 270 + 12 * 1, "----");
  WriteOdds(".jvO1a", o1);
  Import(0);
  const store::RaceWork& w = Work(0);
  EXPECT_EQ(w.AsaWinOdds[1], 1.5);
  EXPECT_EQ(w.AsaPlaceLow[1], -1.0);
  EXPECT_EQ(w.AsaWinRank[1], 0);
  EXPECT_EQ(w.AsaPlaceLowRank[1], 0);
  EXPECT_EQ(w.AsaWinRank[0], 1);
  EXPECT_EQ(w.AsaWinRank[2], 2);
}

TEST_F(OddsImportTest, QuinellaSentinelsAndTheLastEntryOfPopularityOne) {
  day_->RaRec[0].Assign(RaOf(KeyOf("05", 1), 6));
  std::string o2 = CombRecordOf(kO2, KeyOf("05", 1));
  PutEntry(o2, kO2, 1, "******", 7);
  PutEntry(o2, kO2, 2, "000056", 1);
  PutEntry(o2, kO2, 3, "000089", 2);
  PutEntry(o2, kO2, 9, "000102", 1);  // a dead heat in popularity: the later entry wins
  PutEntry(o2, kO2, 10, "------", 1);  // no odds: its popularity is not read
  WriteOdds(".jvO2a", o2);
  Import(0);
  EXPECT_EQ(Comb(0, UR, 1), (store::CombOdds{-1.0, 0}));
  EXPECT_EQ(Comb(0, UR, 2), (store::CombOdds{5.6, 1}));
  EXPECT_EQ(Comb(0, UR, 3), (store::CombOdds{8.9, 2}));
  EXPECT_EQ(Comb(0, UR, 10), (store::CombOdds{-1.0, 0}));
  EXPECT_EQ(Comb(0, UR, 4), (store::CombOdds{-2.0, 0}));
  EXPECT_EQ(Work(0).AsaURFavOdds, 10.2);
}

TEST_F(OddsImportTest, WithoutOddsFilesWinValuesAreZeroAndCombinationsBlank) {
  day_->RaRec[0].Assign(RaOf(KeyOf("05", 1), 10));
  Work(0).AsaWinOdds[0] = 4.4;
  Work(0).AsaWinRank[0] = 1;
  Work(0).AsaURFavOdds = 3.3;
  Import(0);
  const store::RaceWork& w = Work(0);
  for (int k = 0; k < store::kRunnerCount; ++k) {
    EXPECT_EQ(w.AsaWinOdds[k], 0);
    EXPECT_EQ(w.AsaWinRank[k], 0);
  }
  EXPECT_EQ(w.AsaURFavOdds, 0);
  EXPECT_EQ(Comb(0, UR, 153), (store::CombOdds{-2.0, 0}));
  EXPECT_EQ(Comb(0, UT, 306), (store::CombOdds{-2.0, 0}));
  EXPECT_EQ(Comb(0, SRF, 816), (store::CombOdds{-2.0, 0}));
  EXPECT_EQ(Comb(0, SRT, 4896), (store::CombOdds{-2.0, 0}));
}

TEST_F(OddsImportTest, EveryKindIsReadAtItsOwnPositions) {
  const std::string key = KeyOf("08", 11);
  day_->RaRec[3].Assign(RaOf(key, 18));
  const CombLayout* layouts[] = {&kO4, &kO5, &kO6};
  const char* suffixes[] = {".jvO4a", ".jvO5a", ".jvO6a"};
  const int last[] = {306, 816, 4896};
  for (int t = 0; t < 3; ++t) {
    std::string r = CombRecordOf(*layouts[t], key);
    PutEntry(r, *layouts[t], 1, std::string(static_cast<size_t>(layouts[t]->odds_width - 3), '0') + "123", 1);
    PutEntry(r, *layouts[t], last[t], std::string(static_cast<size_t>(layouts[t]->odds_width - 4), '0') + "9876", 45);
    WriteOdds(suffixes[t], r);
  }
  Import(3);
  const codes::BetType types[] = {UT, SRF, SRT};
  for (int t = 0; t < 3; ++t) {
    EXPECT_EQ(Comb(3, types[t], 1), (store::CombOdds{12.3, 1})) << t;
    EXPECT_EQ(Comb(3, types[t], 2), (store::CombOdds{-2.0, 0})) << t;
    EXPECT_EQ(Comb(3, types[t], last[t]), (store::CombOdds{987.6, 45})) << t;
  }
  EXPECT_EQ(Work(3).AsaURFavOdds, 0);  // only quinellas name it
}

TEST_F(OddsImportTest, ABadOddsTextEndsTheImportAtThatEntryNamingTheFile) {
  day_->RaRec[0].Assign(RaOf(KeyOf("05", 1), 6));
  std::string o2 = CombRecordOf(kO2, KeyOf("05", 1));
  PutEntry(o2, kO2, 2, "000056", 1);
  PutEntry(o2, kO2, 5, "00x056", 3);
  WriteOdds(".jvO2a", o2);
  try {
    Import(0);
    FAIL();
  } catch (const codes::InputError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find(".jvO2a"), std::string::npos) << what;
    EXPECT_NE(what.find("quinella entry 5"), std::string::npos) << what;
  }
  EXPECT_EQ(Comb(0, UR, 2), (store::CombOdds{5.6, 1}));
  EXPECT_EQ(Work(0).AsaURFavOdds, 5.6);
  EXPECT_EQ(Comb(0, UR, 4), (store::CombOdds{-2.0, 0}));
  EXPECT_EQ(Comb(0, UR, 5), (store::CombOdds{}));  // the bad text reads as missing
  EXPECT_EQ(Comb(0, UR, 6), (store::CombOdds{}));  // never reached
  EXPECT_EQ(Comb(0, SRT, 1), (store::CombOdds{}));  // a kind after it is never checked
}

// A race of six runners whose quinellas were packed into the first slots: 1-2 … 1-6
// fill slots 1-5, then 2-3 stands in slot 6, where 1-7 belongs.
TEST_F(OddsImportTest, ARecordWithCombinationsOutOfTheirSlotsIsNeverRead) {
  day_->RaRec[0].Assign(RaOf(KeyOf("05", 1), 6));
  std::string o2 = CombRecordOf(kO2, KeyOf("05", 1));
  int slot = 1;
  for (int a = 1; a <= 6; ++a) {
    for (int b = a + 1; b <= 6; ++b, ++slot) {
      char number[8];
      std::snprintf(number, sizeof number, "%02d%02d", a, b);
      Put(o2, 41 + 13 * (slot - 1), number);
      PutEntry(o2, kO2, slot, "000056", slot);
    }
  }
  WriteOdds(".jvO2a", o2);
  try {
    Import(0);
    FAIL();
  } catch (const codes::InputError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find(".jvO2a"), std::string::npos) << what;
    EXPECT_NE(what.find("quinella entry 6: combination 0203 where 0107 belongs"), std::string::npos) << what;
  }
  EXPECT_EQ(Comb(0, UR, 1), (store::CombOdds{}));  // not even the slots before the shift
  EXPECT_EQ(Comb(0, UR, 6), (store::CombOdds{}));
  EXPECT_EQ(Work(0).AsaURFavOdds, 0);
}

// Where the bad text lies in the word the check reads at once: the first byte, the last
// byte of the field, a byte that only looks like a digit or a blank to a careless test.
struct BadTrifectaCase {
  const char* name;
  const char* text;
};

class BadTrifectaTextTest : public OddsImportTest,
                            public ::testing::WithParamInterface<BadTrifectaCase> {};

TEST_P(BadTrifectaTextTest, StopsAtTheEntryAndLeavesTheOnesBefore) {
  const std::string key = KeyOf("08", 11);
  day_->RaRec[2].Assign(RaOf(key, 18));
  std::string o6 = CombRecordOf(kO6, key);
  PutEntry(o6, kO6, 1, "0000123", 4);
  PutEntry(o6, kO6, 4895, GetParam().text, 5);
  PutEntry(o6, kO6, 4896, "0000456", 6);
  WriteOdds(".jvO6a", o6);
  try {
    Import(2);
    FAIL() << GetParam().text;
  } catch (const codes::InputError& e) {
    EXPECT_NE(std::string(e.what()).find("trifecta entry 4895"), std::string::npos) << e.what();
  }
  EXPECT_EQ(Work(2).CombOddsChecked.SRT, 4894);
  EXPECT_EQ(Comb(2, SRT, 1), (store::CombOdds{12.3, 4}));
  EXPECT_EQ(Comb(2, SRT, 4896), (store::CombOdds{}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, BadTrifectaTextTest, ::testing::Values(
    BadTrifectaCase{"LetterFirst",      "x000123"},
    BadTrifectaCase{"LetterLast",       "000012x"},
    BadTrifectaCase{"ColonAfterNine",   "00:0123"},
    BadTrifectaCase{"SlashBeforeZero",  "000/123"},
    BadTrifectaCase{"DigitsAndBlanks",  "  12 3 "},
    BadTrifectaCase{"HighByte",         "\x82" "000123"},
    BadTrifectaCase{"TabForBlank",      "\t      "}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(OddsImportTest, TextsOtherThanDigitsOrBlanksThatAreOddsStillPass) {
  const std::string key = KeyOf("08", 11);
  day_->RaRec[2].Assign(RaOf(key, 18));
  std::string o6 = CombRecordOf(kO6, key);
  PutEntry(o6, kO6, 1, "   12.3", 4);
  PutEntry(o6, kO6, 2, "-------", 9);
  PutEntry(o6, kO6, 3, "  0123 ", 7);
  WriteOdds(".jvO6a", o6);
  Import(2);
  EXPECT_EQ(Work(2).CombOddsChecked.SRT, 4896);
  EXPECT_EQ(Comb(2, SRT, 1), (store::CombOdds{1.23, 4}));
  EXPECT_EQ(Comb(2, SRT, 2), (store::CombOdds{-1.0, 0}));
  EXPECT_EQ(Comb(2, SRT, 3), (store::CombOdds{12.3, 7}));
}

TEST_F(OddsImportTest, OnlyTheFourCombinationKindsHaveOddsRecords) {
  EXPECT_THROW(store::RaceCombOdds(*day_, 0).Of(codes::BetType::WD, 1), codes::LogicError);
  EXPECT_THROW(store::RaceCombOdds(*day_, 36), codes::LogicError);
}

TEST_F(OddsImportTest, AFileEndingInsideARecordIsReportedWithItsName) {
  const std::string o1 = O1Of(KeyOf("05", 1), {2.0}, {1.1});
  WriteOdds(".jvO1a", o1 + o1.substr(0, 100));
  try {
    const store::DayOddsFiles files(store_, prefix_);
    FAIL();
  } catch (const codes::InputError& e) {
    EXPECT_NE(std::string(e.what()).find(".jvO1a"), std::string::npos) << e.what();
  }
}

TEST_F(OddsImportTest, MoreThanEighteenRunnersStopsWithAnError) {
  day_->RaRec[0].Assign(RaOf(KeyOf("05", 1), 19));
  WriteOdds(".jvO1a", O1Of(KeyOf("05", 1), {2.0}, {1.1}));
  EXPECT_THROW(Import(0), codes::InputError);
}

TEST_F(OddsImportTest, ARaceWithoutRaceNumberMatchesNoRecord) {
  WriteOdds(".jvO1a", O1Of("                ", {2.0}, {1.1}));
  Import(5);  // a blank slot
  EXPECT_EQ(day_->O1aRec[5], store::O1Record{});
  EXPECT_EQ(Work(5).AsaWinOdds[0], 0);
}

// ---- the index finds what a scan from the start finds --------------------------

// The plain reading: records of the file from its first until one of the race.
std::string ScanForRace(const std::string& bytes, int length, const std::string& ra) {
  const std::string key = ra.substr(19, 2) + ra.substr(25, 2);
  if (std::stoi(ra.substr(25, 2)) <= 0) return {};
  for (size_t at = 0; at + static_cast<size_t>(length) <= bytes.size(); at += static_cast<size_t>(length)) {
    const std::string record = bytes.substr(at, static_cast<size_t>(length));
    if (record.substr(19, 2) + record.substr(25, 2) == key) return record;
  }
  return {};
}

TEST_F(OddsImportTest, EveryRaceGetsTheRecordAScanFromTheStartFinds) {
  std::mt19937 random(20240518);
  const std::vector<std::string> courses = {"05", "08", "09"};
  std::vector<std::string> ras;
  for (const std::string& c : courses) {
    for (int r = 1; r <= 12; ++r) ras.push_back(RaOf(KeyOf(c, r), 8 + r % 10));
  }
  for (int s = 0; s < 36; ++s) day_->RaRec[s].Assign(ras[static_cast<size_t>(s)]);

  // Each file: records of the day's races in shuffled order, some twice with other odds
  // (an older meeting of the same racecourse and race number among them), some missing.
  std::uniform_int_distribution<int> tenths(11, 999);
  auto odds_text = [&](int width) { return Tenths(tenths(random) / 10.0, width); };
  std::vector<std::string> bytes(5);
  const CombLayout* layouts[] = {nullptr, &kO2, &kO4, &kO5, &kO6};
  for (int kind = 0; kind < 5; ++kind) {
    std::vector<std::string> records;
    for (const std::string& c : courses) {
      for (int r = 1; r <= 12; ++r) {
        const int copies = static_cast<int>(random() % 4);  // 0 .. 3
        for (int n = 0; n < copies; ++n) {
          const std::string key = KeyOf(c, r, n == 1 ? "0101" : "0203");
          if (kind == 0) {
            std::vector<double> win, place;
            for (int k = 0; k < 18; ++k) {
              win.push_back(tenths(random) / 10.0);
              place.push_back(tenths(random) / 10.0);
            }
            records.push_back(O1Of(key, win, place));
          } else {
            std::string rec = CombRecordOf(*layouts[kind], key);
            for (int i = 1; i <= 20; ++i) {
              PutEntry(rec, *layouts[kind], i, odds_text(layouts[kind]->odds_width), i);
            }
            records.push_back(rec);
          }
        }
      }
    }
    std::shuffle(records.begin(), records.end(), random);
    bytes[static_cast<size_t>(kind)] = Join(records);
  }
  const char* suffixes[] = {".jvO1a", ".jvO2a", ".jvO4a", ".jvO5a", ".jvO6a"};
  for (int kind = 0; kind < 5; ++kind) WriteOdds(suffixes[kind], bytes[static_cast<size_t>(kind)]);

  const store::DayOddsFiles files(store_, prefix_);
  for (int s = 0; s < 36; ++s) {
    day_->OzTargetSlot = s;
    store::ImportOdds(*day_, files);
  }
  const int lengths[] = {store::kO1Length, store::kO2Length, store::kO4Length, store::kO5Length,
                         store::kO6Length};
  for (int s = 0; s < 36; ++s) {
    const std::string views[] = {std::string(day_->O1aRec[s].Text()),
                                 std::string(day_->O2aRec[s].Text()),
                                 std::string(day_->O4aRec[s].Text()),
                                 std::string(day_->O5aRec[s].Text()),
                                 std::string(day_->O6aRec[s].Text())};
    for (int kind = 0; kind < 5; ++kind) {
      std::string expected = ScanForRace(bytes[static_cast<size_t>(kind)], lengths[kind],
                                         ras[static_cast<size_t>(s)]);
      if (expected.empty()) expected.assign(static_cast<size_t>(lengths[kind]), ' ');
      EXPECT_EQ(views[kind], expected) << "slot " << s << " kind " << kind;
    }
    // The values come from the record found.
    const std::string o2 = views[1];
    const double first = store::OddsValue(std::string_view(o2).substr(44, 6));
    EXPECT_EQ(Comb(s, UR, 1).odds, first) << "slot " << s;
    if (day_->O1aRec[s].Int(26, 2) > 0) {
      EXPECT_GT(Work(s).AsaWinOdds[0], 0) << "slot " << s;
    } else {
      EXPECT_EQ(Work(s).AsaWinOdds[0], 0) << "slot " << s;
    }
  }
}

}  // namespace

namespace {

// A combination record stays in its file's bytes; writing into it must never reach them
// or another record taken from them.
TEST(SharedRecordTest, PutWritesIntoItsOwnCopyAndClearMakesItBlank) {
  auto file = std::make_shared<std::string>(std::string(8, 'a') + std::string(8, 'b'));
  store::SharedRecord<8> first, second;
  first.Assign(std::string_view(*file).substr(0, 8), file);
  second = first;
  first.Put(3, "XY");
  EXPECT_EQ(first.Text(), "aaXYaaaa");
  EXPECT_EQ(second.Text(), "aaaaaaaa");
  EXPECT_EQ(*file, std::string(8, 'a') + std::string(8, 'b'));
  first.Put(1, "Z");  // its own copy now, written in place
  EXPECT_EQ(first.Text(), "ZaXYaaaa");
  EXPECT_FALSE(first == second);

  file.reset();  // the records keep the bytes they view
  EXPECT_EQ(second.Field(2, 3), "aaa");
  second.Clear();
  EXPECT_EQ(second.Text(), std::string(8, ' '));
  EXPECT_EQ(second.Int(1, 8), 0);
  EXPECT_EQ(second, store::SharedRecord<8>());
  EXPECT_THROW(second.Assign("short", nullptr), codes::InputError);
  EXPECT_THROW(second.Field(8, 2), codes::LogicError);
}

}  // namespace
