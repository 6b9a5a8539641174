#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "codes/cp932.h"
#include "support/temp_dir.h"

namespace {

// A value written by hand into the settings file, what the reader makes of it and
// whether it was reported as out of range.
struct RangeCase {
  const char* name;
  const char* section;
  const char* key;
  const char* value;
  std::function<std::string(const app::Settings&)> read;
  const char* expected;
  bool reported;
};

std::string Int(int v) { return std::to_string(v); }

// clang-format off
const RangeCase kRangeCases[] = {
  {"StakeLargestInt",      "KaimeSet", "DefaultAmount", "2147483647", [](auto& s) { return Int(s.DefaultAmount()); },  "3000",   true},
  {"StakeSevenDigits",     "KaimeSet", "DefaultAmount", "1000000",    [](auto& s) { return Int(s.DefaultAmount()); },  "3000",   true},
  {"StakeSixDigits",       "KaimeSet", "DefaultAmount", "999999",     [](auto& s) { return Int(s.DefaultAmount()); },  "999999", false},
  {"StakeBelow100",        "KaimeSet", "DefaultAmount", "99",         [](auto& s) { return Int(s.DefaultAmount()); },  "3000",   true},
  {"ResultEvery4Minutes",  "Time",     "AutoRdataGet",  "4",          [](auto& s) { return Int(s.AutoRdataGet()); },   "10",     true},
  {"ResultEvery5Minutes",  "Time",     "AutoRdataGet",  "5",          [](auto& s) { return Int(s.AutoRdataGet()); },   "5",      false},
  {"ResultEvery60Minutes", "Time",     "AutoRdataGet",  "60",         [](auto& s) { return Int(s.AutoRdataGet()); },   "10",     true},
  {"SplitTwo",             "KaimeSet", "HaibunSet",     "2",          [](auto& s) { return Int(s.HaibunSet()); },      "0",      true},
  {"SplitInProportion",    "KaimeSet", "HaibunSet",     "1",          [](auto& s) { return Int(s.HaibunSet()); },      "1",      false},
  {"LogicThree",           "Kaime",    "Option",        "3",          [](auto& s) { return Int(s.KaimeOption()); },    "1",      true},
  {"LogicB",               "Kaime",    "Option",        "2",          [](auto& s) { return Int(s.KaimeOption()); },    "2",      false},
  {"NoticesOff",           "Henko",    "GetInterval",   "-1",         [](auto& s) { return Int(s.HenkoGetInterval()); }, "-1",   false},
  {"NoticesEveryYear",     "Henko",    "GetInterval",   "525600",     [](auto& s) { return Int(s.HenkoGetInterval()); }, "5",    true},
  {"MorningAtTen",         "Time",     "First",         "1000",       [](auto& s) { return s.FirstForDayLoad(); },     "0915",   true},
  {"MorningAt0960",        "Time",     "First",         "0960",       [](auto& s) { return s.FirstForSettingsDialog(); }, "0945", true},
  {"MorningAt0959",        "Time",     "First",         "0959",       [](auto& s) { return s.FirstForDayLoad(); },     "0959",   false},
  {"MorningWithAColon",    "Time",     "First",         "9:15",       [](auto& s) { return s.FirstForDayLoad(); },     "0915",   true},
  {"WindowWidthZero",      "locate",   "width",         "0",          [](auto& s) { return Int(s.MainWindowPlacement().width); }, "800", true},
  {"WindowFarAway",        "locate",   "top",           "99999",      [](auto& s) { return Int(s.MainWindowPlacement().top); },   "10",  true},
  {"LastTimeNoMoment",     "JvDataGet", "LastTime",     "yesterday",  [](auto& s) { return platform::FormatLocalTime(s.LastTime({2024, 5, 18, 9, 0, 0})); }, "2024/05/11 09:00:00", true},
  {"WindowWidth1024",      "locate",   "width",         "1024",       [](auto& s) { return Int(s.MainWindowPlacement().width); }, "1024", false},
};
// clang-format on

class SettingsRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(SettingsRangeTest, AValueOutsideItsRangeReadsAsTheDefaultAndIsReported) {
  const RangeCase& c = GetParam();
  testsupport::TempDir dir;
  app::Settings settings(dir.path() / "Quorvane.ini");
  std::vector<std::string> reports;
  settings.SetBadValueReport([&](const std::string& m) { reports.push_back(m); });
  settings.Ini().WriteString(c.section, c.key, c.value);

  EXPECT_EQ(c.read(settings), c.expected);
  ASSERT_EQ(reports.size(), c.reported ? 1u : 0u);
  if (c.reported) {
    EXPECT_EQ(codes::SjisToUtf8(reports[0])
                  .rfind(std::string("設定値が範囲外のため既定値を使います：[") + c.section + "]" +
                             c.key + "=" + c.value,
                         0),
              0u)
        << codes::SjisToUtf8(reports[0]);
  }
}

INSTANTIATE_TEST_SUITE_P(Keys, SettingsRangeTest, ::testing::ValuesIn(kRangeCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
