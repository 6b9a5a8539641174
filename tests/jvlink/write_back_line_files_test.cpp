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
  EXPECT_EQ(batched_disk.loads["ra"], 1);
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

}  // namespace
}  // namespace jvlink
