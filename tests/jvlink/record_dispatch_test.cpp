#include "jvlink/record_dispatch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "codes/cp932.h"
#include "store/record_lengths.h"
#include "support/case_name.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace jvlink {
namespace {

namespace fs = std::filesystem;
using testsupport::Put;
using testsupport::PutNumber;
using testsupport::RecordWithKey;

constexpr const char* kKey = "2024051805020111";

std::string WithKey(std::string_view id, int length, char kind, const std::string& key = kKey) {
  std::string r = RecordWithKey(id, length, kind, key, "20240516");
  if (id == "RA") PutNumber(r, 882, 2, 16);
  if (id == "SE") {
    PutNumber(r, 29, 2, 3);
    Put(r, 41, codes::Sj("テストホース"));
  }
  return r;
}
std::string Ra(char kind = '2') { return WithKey("RA", store::kRaLength, kind); }
std::string Se(char kind = '2') { return WithKey("SE", store::kSeLength, kind); }
std::string Hr() { return WithKey("HR", store::kHrLength, '2'); }
std::string O1(char kind = '3') { return WithKey("O1", store::kO1Length, kind); }
std::string With(std::string r, int pos, const std::string& text) {
  Put(r, pos, text);
  return r;
}

class DispatchTest : public ::testing::Test {
 protected:
  DispatchTest() { store.PrepareFolders(); }
  DispatchResult Dispatch(const std::string& record, PullFilter filter = {20240511, false}) {
    return DispatchRecord(record, "TEST.jvd", filter, store, store.Disk());
  }
  fs::path File(const std::string& utf8) const {
    return store.DataFolder() / fs::path(std::u8string(utf8.begin(), utf8.end()));
  }
  bool DataFolderEmpty() const { return fs::is_empty(store.DataFolder()); }

  testsupport::TempDir home;
  platform::FixedClock clock{{2024, 5, 18, 10, 30, 0}};
  store::RecordStore store{home.path(), clock};
};

struct FilterCase {
  const char* name;
  std::function<std::string()> record;
  bool final_odds;
  RecordFate fate;
  const char* file;  // UTF-8 name of the file it goes to, when filed
};

class DispatchFilterTest : public DispatchTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(DispatchFilterTest, FilesOnlyWhatTheTableAllows) {
  const FilterCase& c = GetParam();
  DispatchResult result = Dispatch(c.record(), {20240511, c.final_odds});
  EXPECT_EQ(result.fate, c.fate);
  if (c.fate == RecordFate::kFiled) {
    EXPECT_TRUE(fs::exists(File(c.file))) << c.file;
    EXPECT_FALSE(result.label.empty());
  } else {
    EXPECT_TRUE(DataFolderEmpty());
    EXPECT_TRUE(result.label.empty());
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, DispatchFilterTest, ::testing::Values(
  FilterCase{"RaFiled",            [] { return Ra(); },                                  false, RecordFate::kFiled,   "2024年05月18日.jvRA"},
  FilterCase{"RaLocal",            [] { return Ra('A'); },                               false, RecordFate::kSkipped, ""},
  FilterCase{"RaOverseas",         [] { return Ra('B'); },                               false, RecordFate::kSkipped, ""},
  FilterCase{"RaNineteenRunners",  [] { return With(Ra(), 882, "19"); },                 false, RecordFate::kSkipped, ""},
  FilterCase{"RaEighteenRunners",  [] { return With(Ra(), 882, "18"); },                 false, RecordFate::kFiled,   "2024年05月18日.jvRA"},
  FilterCase{"RaNoRunners",        [] { return With(Ra(), 882, "00"); },                 false, RecordFate::kSkipped, ""},
  FilterCase{"RaRaceZero",         [] { return With(Ra(), 26, "00"); },                  false, RecordFate::kSkipped, ""},
  FilterCase{"SeFiled",            [] { return Se(); },                                  false, RecordFate::kFiled,   "2024年05月18日東京.jvSEr"},
  FilterCase{"SeHorse18",          [] { return With(Se(), 29, "18"); },                  false, RecordFate::kFiled,   "2024年05月18日東京.jvSEr"},
  FilterCase{"SeHorse19",          [] { return With(Se(), 29, "19"); },                  false, RecordFate::kSkipped, ""},
  FilterCase{"SeHorse0",           [] { return With(Se(), 29, "00"); },                  false, RecordFate::kSkipped, ""},
  FilterCase{"SeLocal",            [] { return Se('A'); },                               false, RecordFate::kSkipped, ""},
  FilterCase{"SeRace13",           [] { return With(Se(), 26, "13"); },                  false, RecordFate::kBad,     ""},
  FilterCase{"HrFiled",            [] { return Hr(); },                                  false, RecordFate::kFiled,   "2024年05月18日.jvHR"},
  FilterCase{"HrRaceZero",         [] { return With(Hr(), 26, "00"); },                  false, RecordFate::kSkipped, ""},
  FilterCase{"OddsWithoutOption",  [] { return O1(); },                                  false, RecordFate::kSkipped, ""},
  FilterCase{"OddsWithOption",     [] { return O1(); },                                  true,  RecordFate::kFiled,   "2024年05月18日.jvO1a"},
  FilterCase{"OddsCancelled",      [] { return O1('9'); },                               true,  RecordFate::kSkipped, ""},
  FilterCase{"OddsDeleted",        [] { return O1('0'); },                               true,  RecordFate::kSkipped, ""},
  FilterCase{"OddsLocalKindFiled", [] { return O1('A'); },                               true,  RecordFate::kFiled,   "2024年05月18日.jvO1a"},
  FilterCase{"OddsHaveNoDateBound",[] { return With(O1(), 12, "20230101"); },            true,  RecordFate::kFiled,   "2023年01月01日.jvO1a"},
  FilterCase{"TrifectaFiled",      [] { return WithKey("O6", store::kO6Length, '4'); },  true,  RecordFate::kFiled,   "2024年05月18日.jvO6a"},
  FilterCase{"OtherKind",          [] { return WithKey("JG", 80, '1'); },                true,  RecordFate::kSkipped, ""},
  FilterCase{"ChangeNotice",       [] { return WithKey("TC", store::kTcLength, '1'); },  true,  RecordFate::kSkipped, ""},
  FilterCase{"ShortRa",            [] { return Ra().erase(100, 1); },                       false, RecordFate::kBad,     ""},
  FilterCase{"LongHr",             [] { return "  " + Hr(); },                           false, RecordFate::kBad,     ""},
  FilterCase{"NoCrLf",             [] { std::string r = Ra(); r.replace(r.size() - 2, 2, "  "); return r; }, false, RecordFate::kBad, ""},
  FilterCase{"GarbageId",          [] { return "\x01\x02" + Ra().substr(2); },           false, RecordFate::kBad,     ""},
  FilterCase{"Tiny",               [] { return std::string("R"); },                      false, RecordFate::kBad,     ""},
  FilterCase{"GarbledDate",        [] { return With(Ra(), 16, "0a18"); },                false, RecordFate::kBad,     ""},
  FilterCase{"MonthThirteen",      [] { return With(Hr(), 16, "1318"); },                false, RecordFate::kBad,     ""},
  FilterCase{"OddsGarbledDate",    [] { return With(O1(), 12, "2024 518"); },            true,  RecordFate::kBad,     ""},
  FilterCase{"SeUnknownCourse",    [] { return With(Se(), 20, "99"); },                  false, RecordFate::kBad,     ""},
  FilterCase{"SeHorseNotDigits",   [] { return With(Se(), 29, " 3"); },                  false, RecordFate::kBad,     ""}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct DateCase {
  int start_day;
  const char* record_day;
  bool filed;
};

class DateFilterTest : public DispatchTest, public ::testing::WithParamInterface<DateCase> {};

// The bound is yyyymmdd - 10 as a plain number: early in a month it only reaches back
// to the 1st, later it reaches ten days back.
TEST_P(DateFilterTest, RaSeAndHrAreFiledFromStartDayMinusTen) {
  const DateCase& c = GetParam();
  for (std::string record : {Ra(), Se(), Hr()}) {
    Put(record, 12, c.record_day);
    EXPECT_EQ(Dispatch(record, {c.start_day, false}).fate,
              c.filed ? RecordFate::kFiled : RecordFate::kSkipped)
        << record.substr(0, 2) << " " << c.record_day;
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(MonthStart, DateFilterTest, ::testing::Values(
  DateCase{20240503, "20240501", true},
  DateCase{20240503, "20240430", false},
  DateCase{20240525, "20240515", true},
  DateCase{20240525, "20240514", false},
  DateCase{20240510, "20240501", true},
  DateCase{20240510, "20240430", false},
  DateCase{20240101, "20231231", false},
  DateCase{20240503, "20240601", true}
),
    testsupport::CaseNameOf(&DateCase::start_day, &DateCase::record_day));
// clang-format on

TEST_F(DispatchTest, StampsRaHrAndOddsButNotSe) {
  const PullFilter filter{20240511, true};
  for (const std::string& record : {Ra(), Hr(), O1(), Se()}) {
    ASSERT_EQ(Dispatch(record, filter).fate, RecordFate::kFiled);
  }
  auto first_line = [&](const char* name) {
    return testsupport::ReadFileBytes(File(name)).substr(0, 11);
  };
  EXPECT_EQ(first_line("2024年05月18日.jvRA"), "RA000000000");
  EXPECT_EQ(first_line("2024年05月18日.jvHR"), "HR000000000");
  EXPECT_EQ(first_line("2024年05月18日.jvO1a"), "O1000000000");
  // Race 11, horse 3: slot 10 * 18 + 2 of the runner file keeps kind and creation date.
  const std::string runners = testsupport::ReadFileBytes(File("2024年05月18日東京.jvSEr"));
  EXPECT_EQ(runners.substr((10 * 18 + 2) * 555, 11), "SE220240516");
}

TEST_F(DispatchTest, LabelsSayWhatTheRecordWasFiledAs) {
  const PullFilter filter{20240511, true};
  auto label = [&](const std::string& record) {
    return codes::SjisToUtf8(Dispatch(record, filter).label);
  };
  EXPECT_EQ(label(Ra()), "開催:2024年05月18日東京11R");
  EXPECT_EQ(label(Se()), "馬毎:東京11R/③テストホース" + std::string(24, ' '));
  EXPECT_EQ(label(Hr()), "払戻:2024年05月18日東京11R");
  EXPECT_EQ(label(O1()), "単勝確定ｵｯｽﾞ:11R/TEST.jvd");
  EXPECT_EQ(label(WithKey("O4", store::kO4Length, '3')), "馬単確定ｵｯｽﾞ:11R/TEST.jvd");
  EXPECT_EQ(label(WithKey("O5", store::kO5Length, '3')), "3連複確定ｵｯｽﾞ:11R/TEST.jvd");
}

TEST(PullSummaryTest, CountsFiledAndDropped) {
  PullCounts counts;
  for (RecordFate f : {RecordFate::kFiled, RecordFate::kFiled, RecordFate::kSkipped,
                       RecordFate::kBad}) {
    counts.Count(f);
  }
  EXPECT_EQ(codes::SjisToUtf8(PullSummaryText(counts)),
            "取込件数:2件、破棄件数:2件（うち不正なレコード:1件）");
}

// Final trio odds whose first entry holds 1-2-4 where 1-2-3 belongs: the pull drops the
// record as bad and says why in the error log, instead of filing odds that would be read
// as other combinations'.
TEST_F(DispatchTest, ACombinationOddsRecordOutOfItsSlotsIsBadAndLogged) {
  std::string o5 = WithKey("O5", store::kO5Length, '4');
  Put(o5, 41, "010204");
  store.StartErrorLog();
  EXPECT_EQ(Dispatch(o5, {20240511, true}).fate, RecordFate::kBad);
  EXPECT_TRUE(DataFolderEmpty());
  const std::string log = codes::SjisToUtf8(testsupport::ReadFileBytes(store.ErrorLogPath()));
  EXPECT_NE(log.find("組番が並びと合わないオッズレコードを破棄しました（３連複の1番目が010203でなく010204）：O5 " +
                     std::string(kKey)),
            std::string::npos)
      << log;
  Put(o5, 41, "010203");
  EXPECT_EQ(Dispatch(o5, {20240511, true}).fate, RecordFate::kFiled);
}

}  // namespace
}  // namespace jvlink
