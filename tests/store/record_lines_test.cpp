#include "store/record_lines.h"

#include <gtest/gtest.h>

#include <map>

#include "codes/errors.h"
#include "store/record_lengths.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace store {
namespace {

using testsupport::PutNumber;
using testsupport::ReadFileBytes;
using testsupport::RecordWithKey;
using testsupport::TempDir;
using testsupport::WriteFileBytes;
using Lines = std::vector<std::string>;

// Files held in memory: the store operations must not care where the lines live.
class MemoryLineFiles : public LineFiles {
 public:
  std::optional<Lines> Load(const std::filesystem::path& file) override {
    ++loads;
    auto it = files.find(file);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  void Save(const std::filesystem::path& file, const Lines& lines) override {
    ++saves;
    files[file] = lines;
  }
  bool Exists(const std::filesystem::path& file) override { return files.count(file) > 0; }

  std::map<std::filesystem::path, Lines> files;
  int loads = 0;
  int saves = 0;
};

std::string Ra(std::string_view key, char kind = '1') {
  return ZeroStamp(RecordWithKey("RA", kRaLength, kind, key));
}
std::string Line(const std::string& record) { return record.substr(0, record.size() - 2); }

TEST(ZeroStampTest, ClearsKindAndCreationDateOnly) {
  const std::string r = RecordWithKey("HR", kHrLength, '2', "2024051805021211", "20240519");
  const std::string z = ZeroStamp(r);
  EXPECT_EQ(z.size(), r.size());
  EXPECT_EQ(z.substr(0, 11), "HR000000000");
  EXPECT_EQ(z.substr(11), r.substr(11));
  EXPECT_THROW(ZeroStamp("RA1234"), codes::InputError);
}

TEST(UpsertRecordLineTest, SecondRecordOfARaceReplacesTheFirstInPlaceAndStaysSorted) {
  TempDir dir;
  DiskLineFiles files;
  const auto file = dir.path() / "d.jvRA";
  for (const char* key : {"2024051805021203", "2024051805021201", "2024051805021202"}) {
    ASSERT_TRUE(UpsertRecordLine(files, file, Ra(key), true, OrderMode::kSortAndDrop));
  }
  std::string again = Ra("2024051805021201");
  testsupport::Put(again, 40, "CHANGED");
  ASSERT_TRUE(UpsertRecordLine(files, file, again, true, OrderMode::kSortAndDrop));
  const Lines expected = {Line(again), Line(Ra("2024051805021202")), Line(Ra("2024051805021203"))};
  EXPECT_EQ(files.Load(file), expected);
  EXPECT_EQ(ReadFileBytes(file).size(), 3u * kRaLength);
}

TEST(UpsertRecordLineTest, MissingFileIsCreatedOnlyWhenAllowed) {
  MemoryLineFiles files;
  EXPECT_FALSE(UpsertRecordLine(files, "d.jvRA", Ra("2024051805021201"), false,
                                OrderMode::kSortAndDrop));
  EXPECT_EQ(files.saves, 0);
  EXPECT_TRUE(UpsertRecordLine(files, "d.jvRA", Ra("2024051805021201"), true,
                               OrderMode::kSortAndDrop));
  EXPECT_EQ(files.files["d.jvRA"], Lines{Line(Ra("2024051805021201"))});
}

TEST(UpsertRecordLineTest, RecordWithoutCrLfIsRefused) {
  MemoryLineFiles files;
  std::string r = Ra("2024051805021201");
  r.pop_back();
  EXPECT_THROW(UpsertRecordLine(files, "d.jvRA", r, true, OrderMode::kSort), codes::InputError);
}

TEST(UpsertRecordLineTest, StampedAndUnstampedHrLinesAreFoundByTheirKeyAlike) {
  MemoryLineFiles files;
  const std::string stamped = ZeroStamp(RecordWithKey("HR", kHrLength, '2', "2024051805021201"));
  const std::string live = RecordWithKey("HR", kHrLength, '4', "2024051805021201", "20240518");
  UpsertRecordLine(files, "d.jvHR", stamped, true, OrderMode::kSort);
  UpsertRecordLine(files, "d.jvHR", live, true, OrderMode::kSort);
  EXPECT_EQ(files.files["d.jvHR"], Lines{Line(live)});
  UpsertRecordLine(files, "d.jvHR", stamped, true, OrderMode::kSort);
  EXPECT_EQ(files.files["d.jvHR"], Lines{Line(stamped)});
}

struct BlankLineCase {
  const char* name;
  OrderMode mode;
  Lines before;
  bool blank_kept;
};

class BlankFirstLineTest : public ::testing::TestWithParam<BlankLineCase> {};

TEST_P(BlankFirstLineTest, OnlyTheSortModeKeepsABlankLine) {
  const BlankLineCase& c = GetParam();
  Lines lines = c.before;
  const std::string line = Line(Ra("2024051805021201"));
  ApplyRecordLine(lines, line, c.mode);
  Lines expected = c.blank_kept ? Lines{c.before.front(), line} : Lines{line};
  EXPECT_EQ(lines, expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Modes, BlankFirstLineTest, ::testing::Values(
    BlankLineCase{"RaDropsEmpty",   OrderMode::kSortAndDrop,   {""},    false},
    BlankLineCase{"RaDropsBlanks",  OrderMode::kSortAndDrop,   {"   "}, false},
    BlankLineCase{"HrKeepsEmpty",   OrderMode::kSort,          {""},    true},
    BlankLineCase{"TcDropsEmpty",   OrderMode::kInsertInOrder, {""},    false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ApplyRecordLineTest, DropsOnlyOneBlankLine) {
  Lines lines = {"", ""};
  const std::string line = Line(Ra("2024051805021201"));
  ApplyRecordLine(lines, line, OrderMode::kSortAndDrop);
  EXPECT_EQ(lines, (Lines{"", line}));
}

TEST(ApplyRecordLineTest, ChangeNoticesGoToTheirSortedPlaceAndAReplacedOneStays) {
  auto tc = [](std::string_view key, const char* created) {
    return Line(RecordWithKey("TC", kTcLength, '1', key, created));
  };
  // Unsorted as found: a replaced line keeps its place, the list is not sorted then.
  Lines lines = {tc("2024051805021203", "20240518"), tc("2024051805021201", "20240518")};
  ApplyRecordLine(lines, tc("2024051805021203", "20240519"), OrderMode::kInsertInOrder);
  EXPECT_EQ(lines, (Lines{tc("2024051805021203", "20240519"), tc("2024051805021201", "20240518")}));
  // A new race sorts the list first and goes to its place.
  ApplyRecordLine(lines, tc("2024051805021202", "20240518"), OrderMode::kInsertInOrder);
  EXPECT_EQ(lines, (Lines{tc("2024051805021201", "20240518"), tc("2024051805021202", "20240518"),
                          tc("2024051805021203", "20240519")}));
}

std::string Se(int race, int horse) {
  std::string r = RecordWithKey("SE", kSeLength, '1', "2024051805021200");
  PutNumber(r, 26, 2, race);
  PutNumber(r, 29, 2, horse);
  return r;
}

TEST(PutRunnerSlotTest, NewFileHas216SlotsWithTheRunnerInItsOwn) {
  struct Slot { int race, horse, line; };
  // clang-format off
  const Slot slots[] = {{1, 1, 0}, {1, 18, 17}, {2, 1, 18}, {12, 18, 215}};
  // clang-format on
  for (const Slot& s : slots) {
    MemoryLineFiles files;
    ASSERT_TRUE(PutRunnerSlot(files, "v.jvSEr", Se(s.race, s.horse), true));
    const Lines& lines = files.files["v.jvSEr"];
    ASSERT_EQ(lines.size(), 216u);
    for (int i = 0; i < 216; ++i) {
      const std::string expected = i == s.line ? Line(Se(s.race, s.horse)) : std::string(553, ' ');
      ASSERT_EQ(lines[static_cast<size_t>(i)], expected) << "race " << s.race << " line " << i;
    }
  }
}

TEST(PutRunnerSlotTest, OnDiskEveryLineIs553BytesAndCrLf) {
  TempDir dir;
  DiskLineFiles files;
  const auto file = dir.path() / "v.jvSEr";
  PutRunnerSlot(files, file, Se(3, 5), true);
  PutRunnerSlot(files, file, Se(12, 18), true);
  EXPECT_EQ(ReadFileBytes(file).size(), 216u * kSeLength);
  EXPECT_EQ(files.Load(file)->at(2 * 18 + 4), Line(Se(3, 5)));
}

TEST(PutRunnerSlotTest, MissingFileWithoutCreateAndSlotsOutsideAreNotStored) {
  MemoryLineFiles files;
  EXPECT_FALSE(PutRunnerSlot(files, "v.jvSEr", Se(1, 1), false));
  EXPECT_EQ(files.saves, 0);
  EXPECT_FALSE(PutRunnerSlot(files, "v.jvSEr", Se(13, 1), true));
  EXPECT_FALSE(PutRunnerSlot(files, "v.jvSEr", Se(0, 0), true));
  EXPECT_EQ(files.saves, 0);
}

TEST(PutRunnerSlotTest, AFileOfAnotherLineCountIsAnInputError) {
  TempDir dir;
  DiskLineFiles files;
  const auto file = dir.path() / "v.jvSEr";
  WriteFileBytes(file, std::string(553, ' ') + "\r\n");
  EXPECT_THROW(PutRunnerSlot(files, file, Se(1, 1), true), codes::InputError);
  EXPECT_EQ(ReadFileBytes(file).size(), 555u);
}

TEST(RunnerSlotIndexTest, CoversExactlyTwelveRacesOfEighteen) {
  EXPECT_EQ(RunnerSlotIndex(1, 1), 0);
  EXPECT_EQ(RunnerSlotIndex(12, 18), 215);
  EXPECT_EQ(RunnerSlotIndex(12, 19), std::nullopt);
  EXPECT_EQ(RunnerSlotIndex(1, 0), std::nullopt);
  // Out-of-range numbers never reach a neighbour's slot.
  EXPECT_EQ(RunnerSlotIndex(1, 19), std::nullopt);
  EXPECT_EQ(RunnerSlotIndex(2, 0), std::nullopt);
}

}  // namespace
}  // namespace store
