#include "store/record_file_repair.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../store/race_day_files.h"
#include "codes/errors.h"
#include "store/record_lengths.h"
#include "store/record_lines.h"

namespace {

namespace fs = std::filesystem;

std::string Line(std::string record) { return record.substr(0, record.size() - 2); }
std::string Ra(const char* ymd, int race, const char* course = "05") {
  return Line(testsupport::RaOf(testsupport::KeyOf(ymd, course, race), 8));
}

struct DayFileCase {
  const char* name;
  const char* file;
  std::vector<std::string> lines;
  std::vector<std::string> kept;
  int dropped;
};

const std::string kBlankRa(static_cast<size_t>(store::kRaLength - 2), ' ');

// clang-format off
const DayFileCase kDayFileCases[] = {
  {"SoundLinesStay", "2024年05月18日.jvRA", {"", Ra("20240518", 1), Ra("20240518", 2)},
   {"", Ra("20240518", 1), Ra("20240518", 2)}, 0},
  {"BlankRecordStays", "2024年05月18日.jvRA", {kBlankRa, Ra("20240518", 1)}, {kBlankRa, Ra("20240518", 1)}, 0},
  {"CutShort", "2024年05月18日.jvRA", {Ra("20240518", 1), Ra("20240518", 2).substr(0, 900)},
   {Ra("20240518", 1)}, 1},
  {"TwoRunTogether", "2024年05月18日.jvRA", {Ra("20240518", 1) + Ra("20240518", 2)}, {}, 1},
  {"AnotherDay", "2024年05月18日.jvRA", {Ra("20240519", 1), Ra("20240518", 2)}, {Ra("20240518", 2)}, 1},
  {"AnotherKind", "2024年05月18日.jvHR", {Ra("20240518", 1)}, {}, 1},
  {"VenueNotInTable", "2024年05月18日.jvRA", {Ra("20240518", 1, "..")}, {}, 1},
  {"NotShiftJis", "2024年05月18日.jvRA", {Ra("20240518", 1).replace(200, 2, "\x81\x0a")}, {}, 1},
  {"ForeignNameLeftAlone", "notes.jvRA", {"garbage"}, {"garbage"}, 0},
};
// clang-format on

class DayFileRepairTest : public ::testing::TestWithParam<DayFileCase> {};

TEST_P(DayFileRepairTest, DropsDamagedLinesAndKeepsTheRest) {
  const DayFileCase& c = GetParam();
  std::vector<std::string> lines = c.lines;
  const store::FileRepair repair = store::RepairRecordLines(fs::path("/d") / c.file, lines);
  EXPECT_EQ(lines, c.kept);
  EXPECT_EQ(repair.dropped_lines, c.dropped);
  EXPECT_EQ(repair.changed, c.dropped > 0);
  EXPECT_EQ(repair.notes.size(), static_cast<size_t>(c.dropped));
}

INSTANTIATE_TEST_SUITE_P(Files, DayFileRepairTest, ::testing::ValuesIn(kDayFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RunnerFileRepair, BlanksDamagedAndMisplacedSlotsAndRestoresTheLength) {
  const std::string key = testsupport::KeyOf("20240518", "05", 1);
  std::vector<std::string> lines = store::EmptyRunnerLines();
  lines[0] = Line(testsupport::SeOf(key, 1));
  lines[1] = Line(testsupport::SeOf(key, 3));  // horse 3 in the slot of horse 2
  lines[2] = Line(testsupport::SeOf(key, 3)).substr(0, 500);
  lines.resize(215);                       // the last line cut away
  lines.push_back(std::string(518, ' '));  // and a fragment in its place
  lines.push_back("extra");
  const store::FileRepair repair = store::RepairRecordLines("/d/2024年05月18日東京.jvSEr", lines);
  ASSERT_EQ(lines.size(), 216u);
  EXPECT_EQ(lines[0], Line(testsupport::SeOf(key, 1)));
  const std::string blank(553, ' ');
  EXPECT_EQ(lines[1], blank);
  EXPECT_EQ(lines[2], blank);
  EXPECT_EQ(lines[215], blank);
  EXPECT_EQ(repair.dropped_lines, 4);
}

TEST(DayFileRepair, MoreRacesThanADayHoldsCannotBeMended) {
  std::vector<std::string> lines;
  for (const char* course : {"05", "06", "08", "09"}) lines.push_back(Ra("20240518", 1, course));
  EXPECT_THROW(store::RepairRecordLines("/d/2024年05月18日.jvRA", lines), codes::InputError);
}

}  // namespace
