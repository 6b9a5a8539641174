#include "jvlink/write_back_line_files.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "codes/errors.h"
#include "store/record_lines.h"
#include "support/record_builder.h"

namespace jvlink {
namespace {

using Lines = std::vector<std::string>;

// Files in memory that count every load and save and can refuse to save a file.
class CountingFiles : public store::LineFiles {
 public:
  std::optional<Lines> Load(const std::filesystem::path& file) override {
    ++loads[file.string()];
    auto it = files.find(file.string());
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  void Save(const std::filesystem::path& file, const Lines& lines) override {
    if (refused.contains(file.string())) throw codes::InputError(file.string() + ": disk full");
    ++saves[file.string()];
    files[file.string()] = lines;
  }
  bool Exists(const std::filesystem::path& file) override { return files.contains(file.string()); }

  std::map<std::string, Lines> files;
  std::map<std::string, int> loads, saves;
  std::set<std::string> refused;
};

std::string Record(const char* id, int race, char kind = '1') {
  char key[32];
  std::snprintf(key, sizeof key, "20240518050201%02d", race);
  return testsupport::RecordWithKey(id, 60, kind, key);
}

TEST(WriteBackLineFilesTest, LoadsAndWritesEachFileOnceWithThePerRecordResult) {
  CountingFiles batched_disk, direct;
  batched_disk.files["ra"] = direct.files["ra"] = {""};  // a blank line the sort drops
  WriteBackLineFiles batched(batched_disk);
  const std::vector<std::string> records = {Record("RA", 5), Record("RA", 2), Record("RA", 5, '7'),
                                            Record("RA", 12), Record("RA", 1)};
  for (const std::string& r : records) {
    for (store::LineFiles* files : {static_cast<store::LineFiles*>(&batched),
                                    static_cast<store::LineFiles*>(&direct)}) {
      store::UpsertRecordLine(*files, "ra", r, true, store::OrderMode::kSortAndDrop);
      store::UpsertRecordLine(*files, "hr", r, true, store::OrderMode::kSort);
    }
  }
  EXPECT_EQ(batched.ChangedCount(), 2u);
  EXPECT_TRUE(batched_disk.saves.empty());
  batched.Flush();
  EXPECT_EQ(batched_disk.files, direct.files);
  EXPECT_EQ(batched_disk.loads["ra"], 2);  // at the first record, and at the write to merge
  EXPECT_EQ(batched_disk.saves["ra"], 1);
  EXPECT_EQ(batched_disk.saves["hr"], 1);
  EXPECT_EQ(direct.saves["ra"], 5);
  batched.Flush();  // nothing changed since: nothing written again
  EXPECT_EQ(batched_disk.saves["ra"], 1);
}

TEST(WriteBackLineFilesTest, ARecordThatIsNotStoredCreatesNoFile) {
  CountingFiles disk;
  WriteBackLineFiles files(disk);
  std::string se = testsupport::RecordWithKey("SE", 555, '1', "2024051805020113");
  testsupport::PutNumber(se, 29, 2, 1);
  EXPECT_FALSE(store::PutRunnerSlot(files, "se", se, true));  // race 13 has no slot
  EXPECT_FALSE(files.Exists("se"));
  EXPECT_FALSE(store::UpsertRecordLine(files, "ra", Record("RA", 1), false,
                                       store::OrderMode::kSortAndDrop));
  files.Flush();
  EXPECT_TRUE(disk.files.empty());
}

TEST(WriteBackLineFilesTest, AFileThatCannotBeWrittenDoesNotStopTheOthers) {
  CountingFiles disk;
  disk.refused.insert("b");
  WriteBackLineFiles files(disk);
  for (const char* name : {"a", "b", "c"}) files.Save(name, {"line"});
  EXPECT_THROW(files.Flush(), codes::InputError);
  EXPECT_EQ(disk.files.size(), 2u);
  EXPECT_EQ(files.ChangedCount(), 1u);
  disk.refused.clear();
  files.Flush();
  EXPECT_EQ(disk.files.size(), 3u);
}

TEST(WriteBackLineFilesTest, PastItsBoundItWritesEverythingAndLetsGo) {
  CountingFiles disk, direct;
  WriteBackLineFiles files(disk, 150);  // room for about two 60-byte lines
  for (int race = 1; race <= 6; ++race) {
    store::UpsertRecordLine(files, "ra", Record("RA", race), true, store::OrderMode::kSortAndDrop);
    store::UpsertRecordLine(direct, "ra", Record("RA", race), true, store::OrderMode::kSortAndDrop);
  }
  files.Flush();
  EXPECT_EQ(disk.files, direct.files);
  EXPECT_GT(disk.saves["ra"], 1);
  EXPECT_LE(files.HeldBytes(), 150u);
}

// ---- Another program writes the same files meanwhile ----------------------------------------

std::string RunnerRecord(int race, int horse) {
  char key[32];
  std::snprintf(key, sizeof key, "20240518050201%02d", race);
  std::string se = testsupport::RecordWithKey("SE", 555, '7', key);
  testsupport::PutNumber(se, 29, 2, horse);
  return se;
}

// One way of filing a record, as the pull and the real-time fetches file them.
struct FilingCase {
  const char* name;
  bool (*file)(store::LineFiles& files, const std::string& record);
  std::vector<std::string> before, mine, theirs, after;  // records, in order
};

bool FileRa(store::LineFiles& f, const std::string& r) {
  return store::UpsertRecordLine(f, "day.jvRA", r, true, store::OrderMode::kSortAndDrop);
}
bool FileHr(store::LineFiles& f, const std::string& r) {
  return store::UpsertRecordLine(f, "day.jvHR", r, true, store::OrderMode::kSort);
}
bool FileTc(store::LineFiles& f, const std::string& r) {
  return store::UpsertRecordLine(f, "day.TC", r, true, store::OrderMode::kInsertInOrder);
}
bool FileSe(store::LineFiles& f, const std::string& r) { return store::PutRunnerSlot(f, "day.jvSEr", r, true); }

class AnotherWriter : public ::testing::TestWithParam<FilingCase> {};

// The pull has read the file and filed some records; another program files other races
// and writes; the pull files more and writes last. The file ends as if the other program
// had written first and the pull after it, record by record.
TEST_P(AnotherWriter, ItsRecordsStayWhenTheHeldFilesAreWritten) {
  const FilingCase& c = GetParam();
  CountingFiles disk, sequential;
  for (const std::string& r : c.before) {
    c.file(disk, r);
    c.file(sequential, r);
  }
  for (const std::string& r : c.theirs) c.file(sequential, r);
  for (const std::string& r : c.mine) c.file(sequential, r);
  for (const std::string& r : c.after) c.file(sequential, r);

  WriteBackLineFiles pull(disk);
  for (const std::string& r : c.mine) EXPECT_TRUE(c.file(pull, r));
  for (const std::string& r : c.theirs) c.file(disk, r);  // the other program, at once
  for (const std::string& r : c.after) EXPECT_TRUE(c.file(pull, r));
  pull.Flush();
  EXPECT_EQ(disk.files, sequential.files);
  EXPECT_EQ(pull.MergedCount(), 1u);

  // Held on: more records later go on top of the merged lines.
  const std::string late =
      c.file == FileSe ? RunnerRecord(9, 9) : Record(c.mine.front().substr(0, 2).c_str(), 9);
  c.file(pull, late);
  c.file(sequential, late);
  pull.Flush();
  EXPECT_EQ(disk.files, sequential.files);
  EXPECT_EQ(pull.MergedCount(), 1u);  // nobody wrote in between: no merge needed
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, AnotherWriter, ::testing::Values(
  FilingCase{"RaceFileSorted", FileRa, {Record("RA", 1)}, {Record("RA", 4), Record("RA", 2)},
             {Record("RA", 3), Record("RA", 6)}, {Record("RA", 5), Record("RA", 2, '7')}},
  FilingCase{"RaceFileMadeByTheOther", FileRa, {}, {Record("RA", 4)}, {Record("RA", 3)},
             {Record("RA", 1)}},
  FilingCase{"PayoutFileSorted", FileHr, {}, {Record("HR", 2)},
             {Record("HR", 1), Record("HR", 7)}, {Record("HR", 11)}},
  FilingCase{"ChangeNoticesInOrder", FileTc, {Record("TC", 5)}, {Record("TC", 2)},
             {Record("TC", 8), Record("TC", 1)}, {Record("TC", 3)}},
  FilingCase{"RunnerSlots", FileSe, {RunnerRecord(1, 1)}, {RunnerRecord(1, 2), RunnerRecord(2, 1)},
             {RunnerRecord(3, 5), RunnerRecord(1, 3)}, {RunnerRecord(12, 18)}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(WriteBackLineFilesTest, AFileNobodyElseWroteIsWrittenFromMemoryWithoutMerging) {
  CountingFiles disk;
  disk.files["ra"] = {Record("RA", 1).substr(0, 58)};
  WriteBackLineFiles files(disk);
  store::UpsertRecordLine(files, "ra", Record("RA", 2), true, store::OrderMode::kSortAndDrop);
  files.Flush();
  EXPECT_EQ(files.MergedCount(), 0u);
  EXPECT_EQ(disk.files["ra"].size(), 2u);
}

}  // namespace
}  // namespace jvlink
