#include "store/line_files.h"

#include <gtest/gtest.h>

#include "codes/errors.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

namespace store {
namespace {

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;
using Lines = std::vector<std::string>;

struct SplitCase {
  const char* text;
  Lines lines;
};

class SplitLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, SplitsAtLineEnds) {
  EXPECT_EQ(SplitLines(GetParam().text), GetParam().lines);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, SplitLinesTest, ::testing::Values(
    SplitCase{"",                 {}},
    SplitCase{"\r\n",             {""}},
    SplitCase{"A\r\nB\r\n",       {"A", "B"}},
    SplitCase{"A\r\nB",           {"A", "B"}},
    SplitCase{"A\r\nB\r\n\r\n",   {"A", "B", ""}},
    SplitCase{"A\nB\n",           {"A", "B"}},
    SplitCase{"  \r\nA\r\n",      {"  ", "A"}}),
    testsupport::CaseNameOf(&SplitCase::text));
// clang-format on

TEST(DiskLineFilesTest, WritesCrLfAfterEveryLineAndReadsItBack) {
  TempDir dir;
  DiskLineFiles files;
  const auto file = dir.path() / "a.txt";
  EXPECT_FALSE(files.Exists(file));
  EXPECT_FALSE(files.Load(file).has_value());
  files.Save(file, {"one", "", "three"});
  EXPECT_TRUE(files.Exists(file));
  EXPECT_EQ(ReadFileBytes(file), "one\r\n\r\nthree\r\n");
  EXPECT_EQ(files.Load(file), (Lines{"one", "", "three"}));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "a.txt.tmp"));
}

TEST(DiskLineFilesTest, SavesAnEmptyFileForNoLines) {
  TempDir dir;
  DiskLineFiles files;
  files.Save(dir.path() / "e.txt", {});
  EXPECT_EQ(files.Load(dir.path() / "e.txt"), Lines{});
}

TEST(DiskLineFilesTest, FailedSaveNamesTheFileAndLeavesTheOldContent) {
  TempDir dir;
  DiskLineFiles files;
  const auto file = dir.path() / "day.jvRA";
  WriteFileBytes(file, "old\r\n");
  // A folder where the temporary file has to go makes the write fail.
  std::filesystem::create_directory(dir.path() / "day.jvRA.tmp");
  try {
    files.Save(file, {"new"});
    FAIL() << "the save should fail";
  } catch (const codes::InputError& e) {
    EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
  }
  EXPECT_EQ(ReadFileBytes(file), "old\r\n");
}

TEST(DiskLineFilesTest, SaveIntoAMissingFolderFailsWithTheFileName) {
  TempDir dir;
  DiskLineFiles files;
  const auto file = dir.path() / "missing" / "x.txt";
  EXPECT_THROW(files.Save(file, {"x"}), codes::InputError);
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(DiskLineFilesTest, LoadingAFolderIsAnInputError) {
  TempDir dir;
  DiskLineFiles files;
  EXPECT_THROW(files.Load(dir.path()), codes::InputError);
}

}  // namespace
}  // namespace store
