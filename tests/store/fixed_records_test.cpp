#include "store/fixed_records.h"

#include <gtest/gtest.h>

#include "codes/errors.h"
#include "support/temp_dir.h"

namespace store {
namespace {

using testsupport::TempDir;
using testsupport::WriteFileBytes;

std::string Rec(char c) { return std::string(6, c) + "\r\n"; }

TEST(ReadFixedRecordsTest, ReturnsEachRecordWithItsLineEnd) {
  TempDir dir;
  WriteFileBytes(dir.path() / "f", Rec('a') + Rec('b'));
  EXPECT_EQ(ReadFixedRecords(dir.path() / "f", 8), (std::vector<std::string>{Rec('a'), Rec('b')}));
}

TEST(ReadFixedRecordsTest, MissingFileIsNullopt) {
  TempDir dir;
  EXPECT_FALSE(ReadFixedRecords(dir.path() / "none", 8).has_value());
}

TEST(ReadFixedRecordsTest, SkipsEmptyLinesButKeepsBlankRecords) {
  TempDir dir;
  WriteFileBytes(dir.path() / "f", "\r\n" + Rec(' ') + Rec('a') + "\r\n");
  EXPECT_EQ(ReadFixedRecords(dir.path() / "f", 8), (std::vector<std::string>{Rec(' '), Rec('a')}));
}

TEST(FixedRecordFileTest, HoldsTheRecordsTheCopyingReaderReturns) {
  TempDir dir;
  WriteFileBytes(dir.path() / "f", "\r\n" + Rec(' ') + Rec('a') + "\r\n" + Rec('b'));
  const std::optional<FixedRecordFile> file = FixedRecordFile::Read(dir.path() / "f", 8);
  ASSERT_TRUE(file.has_value());
  std::vector<std::string> records;
  for (size_t i = 0; i < file->Size(); ++i) records.emplace_back(file->Record(i));
  EXPECT_EQ(records, ReadFixedRecords(dir.path() / "f", 8));
  EXPECT_THROW(file->Record(file->Size()), codes::LogicError);
  EXPECT_FALSE(FixedRecordFile::Read(dir.path() / "none", 8).has_value());
}

// A file of one short record fits inside the string object itself; moving the holder
// moves those bytes, and the records must still be read from the new place.
TEST(FixedRecordFileTest, AShortFileStillReadsAfterItsHolderMoved) {
  std::vector<FixedRecordFile> files;
  for (char c : std::string("abcdefgh")) files.emplace_back(std::string{c, '\r', '\n'}, 3, "f");
  for (size_t i = 0; i < files.size(); ++i) {
    ASSERT_EQ(files[i].Size(), 1u);
    EXPECT_EQ(files[i].Record(0), (std::string{"abcdefgh"[i], '\r', '\n'}));
  }
}

struct BadCase {
  const char* name;
  std::string bytes;
  const char* message_part;
};

class ReadFixedRecordsBadTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(ReadFixedRecordsBadTest, NamesTheFileAndTheFault) {
  TempDir dir;
  const auto file = dir.path() / "2024.jvRA";
  WriteFileBytes(file, GetParam().bytes);
  // Both readers check a file alike.
  for (bool in_place : {false, true}) {
    try {
      if (in_place) {
        FixedRecordFile::Read(file, 8);
      } else {
        ReadFixedRecords(file, 8);
      }
      FAIL() << "no error, in place: " << in_place;
    } catch (const codes::InputError& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find(file.string()), std::string::npos) << what;
      EXPECT_NE(what.find(GetParam().message_part), std::string::npos) << what;
    }
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, ReadFixedRecordsBadTest, ::testing::Values(
    BadCase{"EndsInsideRecord",   Rec('a') + "aaa",         "ends inside the record"},
    BadCase{"LastLineUnended",    Rec('a') + "aaaaaa",      "ends inside the record"},
    BadCase{"RecordTooLong",      "aaaaaaa\r\n" + Rec('b'), "record 1"},
    BadCase{"SecondRecordShort",  Rec('a') + "aaaaa\r\n",   "record 2"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace store
