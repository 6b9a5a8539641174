#include "app/ini_file.h"

#include <gtest/gtest.h>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

namespace app {
namespace {

using codes::Sj;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

struct ReadCase {
  const char* name;
  const char* file;      // UTF-8, converted to Shift-JIS
  const char* default_;  // UTF-8
  const char* expected;  // UTF-8
};

class ReadStringTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadStringTest, FollowsTheQuotingRules) {
  TempDir dir;
  WriteFileBytes(dir.path() / "q.ini", Sj(GetParam().file));
  IniFile ini(dir.path() / "q.ini");
  EXPECT_EQ(ini.ReadString("Time", "First", Sj(GetParam().default_)), Sj(GetParam().expected));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, ReadStringTest, ::testing::Values(
    ReadCase{"Plain",             "[Time]\r\nFirst=0930\r\n",          "0915", "0930"},
    ReadCase{"Brackets",          "[Time]\r\nFirst=｢0930｣\r\n",        "0915", "0930"},
    ReadCase{"DoubleQuotes",      "[Time]\r\nFirst=\"0930\"\r\n",      "0915", "0930"},
    ReadCase{"TwoQuotesEmpty",    "[Time]\r\nFirst=\"\"\r\n",          "0915", ""},
    ReadCase{"BracketPairEmpty",  "[Time]\r\nFirst=｢｣\r\n",            "0915", ""},
    ReadCase{"EmptyValue",        "[Time]\r\nFirst=\r\n",              "0915", ""},
    ReadCase{"OneQuoteKept",      "[Time]\r\nFirst=\"0930\r\n",        "0915", "\"0930"},
    ReadCase{"MixedKept",         "[Time]\r\nFirst=\"0930｣\r\n",       "0915", "\"0930｣"},
    ReadCase{"OnlyOuterPairGoes", "[Time]\r\nFirst=\"\"a\"\"\r\n",     "0915", "\"a\""},
    ReadCase{"BlanksTrimmed",     "[Time]\r\n  First =  0930 \t\r\n",  "0915", "0930"},
    ReadCase{"NamesIgnoreCase",   "[TIME]\r\nfirst=0930\r\n",          "0915", "0930"},
    ReadCase{"Missing",           "[Time]\r\nSecond=0930\r\n",         "0915", "0915"},
    ReadCase{"OtherSection",      "[Kaime]\r\nFirst=0930\r\n",         "0915", "0915"},
    ReadCase{"FirstSectionOnly",  "[Time]\r\nA=1\r\n[Time]\r\nFirst=0930\r\n", "0915", "0915"},
    ReadCase{"EmptyDefault",      "",                                   "",     ""},
    ReadCase{"QuotedDefaultKept", "",                                   "\"x\"", "\"x\""},
    ReadCase{"ValueHasEquals",    "[Time]\r\nFirst=a=b\r\n",           "",     "a=b"},
    ReadCase{"LfOnlyFile",        "[Time]\nFirst=0930\n",              "",     "0930"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ReadStringTest, TrailByteBracketIsNotTakenForAClosingOne) {
  // 0x83 0xA3 is one two-byte character ending in the byte of ｣.
  EXPECT_EQ(UnquoteIniText("\xA2" "ab\x83\xA3"), "\xA2" "ab\x83\xA3");
  EXPECT_EQ(UnquoteIniText("\xA2" "ab\xA3"), "ab");
}

TEST(ReadStringTest, TextIsCutAt2048Bytes) {
  TempDir dir;
  WriteFileBytes(dir.path() / "q.ini", "[Dir]\r\nx=" + std::string(3000, 'a') + "\r\n");
  IniFile ini(dir.path() / "q.ini");
  EXPECT_EQ(ini.ReadString("Dir", "x", "").size(), 2048u);
}

TEST(ReadStringTest, NoFileAndAFolderInItsPlaceReadAsEmpty) {
  TempDir dir;
  EXPECT_EQ(IniFile(dir.path() / "none.ini").ReadString("Time", "First", "0915"), "0915");
  std::filesystem::create_directory(dir.path() / "folder.ini");
  EXPECT_EQ(IniFile(dir.path() / "folder.ini").ReadInteger("Time", "AutoRdataGet", 10), 10);
}

struct IntCase {
  const char* value;
  int expected;  // with default 7
};

class ReadIntegerTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(ReadIntegerTest, UnreadableValuesGiveTheDefault) {
  TempDir dir;
  WriteFileBytes(dir.path() / "q.ini", std::string("[S]\r\nk=") + GetParam().value + "\r\n");
  EXPECT_EQ(IniFile(dir.path() / "q.ini").ReadInteger("S", "k", 7), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, ReadIntegerTest, ::testing::Values(
    IntCase{"12",          12},
    IntCase{"-5",          -5},
    IntCase{"+5",           5},
    IntCase{" 30 ",        30},
    IntCase{"\"15\"",      15},
    IntCase{"0x1F",        31},
    IntCase{"$10",         16},
    IntCase{"",             7},
    IntCase{"abc",          7},
    IntCase{"12abc",        7},
    IntCase{"1.5",          7},
    IntCase{"-",            7},
    IntCase{"2147483647",  2147483647},
    IntCase{"2147483648",   7},
    IntCase{"99999999999999999999", 7}),
    testsupport::CaseNameOf(&IntCase::value));
// clang-format on

TEST(ReadBoolTest, AnyIntegerOtherThanZeroIsTrue) {
  TempDir dir;
  WriteFileBytes(dir.path() / "q.ini", "[S]\r\na=0\r\nb=2\r\nc=yes\r\n");
  IniFile ini(dir.path() / "q.ini");
  EXPECT_FALSE(ini.ReadBool("S", "a", true));
  EXPECT_TRUE(ini.ReadBool("S", "b", false));
  EXPECT_TRUE(ini.ReadBool("S", "c", true));
  EXPECT_FALSE(ini.ReadBool("S", "missing", false));
}

TEST(WriteTest, ReplacesInPlaceAddsToTheSectionAndAddsSections) {
  TempDir dir;
  const auto file = dir.path() / "q.ini";
  WriteFileBytes(file, "[Time]\r\nFirst = 0915\r\n\r\n[Kaime]\r\nOption=1\r\n");
  IniFile ini(file);
  ini.WriteString("Time", "First", "0930");
  ini.WriteInteger("Time", "AutoRdataGet", 5);
  ini.WriteBool("locate", "max", true);
  EXPECT_EQ(ReadFileBytes(file),
            "[Time]\r\nFirst=0930\r\nAutoRdataGet=5\r\n\r\n[Kaime]\r\nOption=1\r\n"
            "[locate]\r\nmax=1\r\n");
}

TEST(HoldContentsTest, ReadsKeepTheHeldLinesAndWritesGoToTheFileAndThem) {
  TempDir dir;
  const auto file = dir.path() / "q.ini";
  WriteFileBytes(file, "[Kaime]\r\nOption=2\r\n");
  IniFile ini(file);
  ini.HoldContents();
  WriteFileBytes(file, "[Kaime]\r\nOption=1\r\n");  // changed behind the holder's back
  EXPECT_EQ(ini.ReadInteger("Kaime", "Option", 0), 2);
  ini.WriteInteger("KaimeSet", "HaibunSet", 1);  // rewrites the file as it is now
  EXPECT_EQ(ReadFileBytes(file), "[Kaime]\r\nOption=1\r\n[KaimeSet]\r\nHaibunSet=1\r\n");
  EXPECT_EQ(ini.ReadInteger("Kaime", "Option", 0), 1);
  EXPECT_EQ(ini.ReadInteger("KaimeSet", "HaibunSet", 0), 1);
}

TEST(HoldContentsTest, AMissingFileHeldReadsAsEmpty) {
  TempDir dir;
  IniFile ini(dir.path() / "none.ini");
  ini.HoldContents();
  WriteFileBytes(dir.path() / "none.ini", "[Kaime]\r\nOption=2\r\n");
  EXPECT_EQ(ini.ReadInteger("Kaime", "Option", 7), 7);
}

class RoundTripTest : public ::testing::TestWithParam<const char*> {};

TEST_P(RoundTripTest, WhatIsWrittenReadsBackUnchanged) {
  TempDir dir;
  IniFile ini(dir.path() / "q.ini");
  const std::string value = Sj(GetParam());
  ini.WriteString("Dir", "jikeiretu", value);
  EXPECT_EQ(ini.ReadString("Dir", "jikeiretu", "default"), value);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, RoundTripTest, ::testing::Values(
    "", "/home/user/時系列/Data", " leading", "trailing ", "\"quoted\"", "\"\"", "｢｣",
    "｢bracketed｣", "\"", "a=b"),
    testsupport::PrintedCaseName());
// clang-format on

TEST(WriteTest, FailedWriteNamesTheFileAndKeepsIt) {
  TempDir dir;
  const auto file = dir.path() / "q.ini";
  WriteFileBytes(file, "[Time]\r\nFirst=0915\r\n");
  std::filesystem::create_directory(dir.path() / "q.ini.tmp");
  IniFile ini(file);
  try {
    ini.WriteString("Time", "First", "0930");
    FAIL() << "the write should fail";
  } catch (const codes::InputError& e) {
    EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
  }
  EXPECT_EQ(ini.ReadString("Time", "First", ""), "0915");
}

TEST(WriteTest, ALineBreakInAValueIsRefused) {
  TempDir dir;
  IniFile ini(dir.path() / "q.ini");
  EXPECT_THROW(ini.WriteString("Dir", "x", "a\r\n[Kaime]"), codes::InputError);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "q.ini"));
}

TEST(IniFileForExecutableTest, ReplacesTheExtensionBesideTheExecutable) {
  EXPECT_EQ(IniFileForExecutable("/opt/q/Quorvane.exe"), std::filesystem::path("/opt/q/Quorvane.ini"));
  EXPECT_EQ(IniFileForExecutable("/opt/q/quorvane"), std::filesystem::path("/opt/q/quorvane.ini"));
}

}  // namespace
}  // namespace app
