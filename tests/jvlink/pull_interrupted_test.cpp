// A pull stopped between the files of a day (a full disk, a killed program), simulated
// through the file layer's fault injection: a day is listed only once every file of it
// is whole, and the next pull makes the very files an uninterrupted pull makes.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "../store/race_day_files.h"
#include "app/settings.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "feed_test_support.h"
#include "jvlink/stored_pull.h"
#include "store/date_list.h"
#include "support/recording_prompts.h"
#include "support/temp_dir.h"

namespace jvlink {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> DataFiles(const fs::path& home) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::directory_iterator(home / "Data")) {
    files[e.path().filename().string()] = testsupport::ReadFileBytes(e.path());
  }
  return files;
}

// Two race days of two races each, every kind the pull files.
void WriteTwoDays(FeedFixture& feed) {
  for (const char* ymd : {"20240518", "20240519"}) {
    std::vector<std::string> records;
    for (int race = 1; race <= 2; ++race) {
      const std::string key = testsupport::KeyOf(ymd, "05", race);
      records.push_back(testsupport::RaOf(key, 3));
      for (int horse = 1; horse <= 3; ++horse) records.push_back(testsupport::SeOf(key, horse));
      records.push_back(testsupport::HrOf(key, 2));
      records.push_back(testsupport::O1Of(key, {20, 35, 50}));
    }
    feed.Stored(std::string("20240517120000_RA") + ymd + ".jvd", records);
  }
}

// One pull of the whole feed into `home`; false when a file error stopped it.
bool Pull(FeedFixture& feed, store::RecordStore& store, const fs::path& home) {
  app::Settings settings(home / "Quorvane.ini");
  testsupport::RecordingPrompts prompts;
  StoredPull pull(feed.Link(), prompts, settings, feed.clock(), store);
  pull.SetStartMoment({2024, 5, 1, 0, 0, 0});
  pull.SetFinalOdds(true);
  try {
    pull.Start();
    while (pull.PollTimerRunning()) pull.Poll();
  } catch (const codes::InputError&) {
    return false;
  }
  return pull.outcome() == StoredPull::Outcome::kCompleted;
}

TEST(PullInterruptedTest, ADayIsListedOnlyWhenWholeAndTheNextPullCompletesIt) {
  FeedFixture feed;
  WriteTwoDays(feed);
  testsupport::TempDir reference_home;
  store::RecordStore reference(reference_home.path(), feed.clock());
  reference.PrepareFolders();
  int saves = 0;
  reference.Disk().SetSaveFault([&](const fs::path&) { ++saves; });
  ASSERT_TRUE(Pull(feed, reference, reference_home.path()));
  const std::map<std::string, std::string> whole = DataFiles(reference_home.path());
  ASSERT_EQ(whole.size(), 8u);  // RA, HR, O1a and the runner file of each day
  ASSERT_EQ(saves, 8);

  // The program stops at the k-th write: that write and every later one never happen.
  for (int k = 0; k < saves; ++k) {
    SCOPED_TRACE("stopped at write " + std::to_string(k));
    testsupport::TempDir home;
    store::RecordStore store(home.path(), feed.clock());
    store.PrepareFolders();
    int written = 0;
    store.Disk().SetSaveFault([&](const fs::path& file) {
      if (written++ >= k) throw codes::InputError(file.string() + ": the program was stopped");
    });
    EXPECT_FALSE(Pull(feed, store, home.path()));

    const std::map<std::string, std::string> files = DataFiles(home.path());
    for (const std::string& day : store::BuildDateList(store)) {
      const std::string prefix = codes::SjisToUtf8(day);
      for (const auto& [name, bytes] : whole) {
        if (name.rfind(prefix, 0) != 0) continue;
        ASSERT_EQ(files.count(name), 1u) << name << " missing while " << prefix << " is listed";
        EXPECT_EQ(files.at(name), bytes) << name;
      }
    }
    store.Disk().SetSaveFault(nullptr);
    EXPECT_TRUE(Pull(feed, store, home.path()));
    EXPECT_EQ(DataFiles(home.path()), whole);
  }
}

}  // namespace
}  // namespace jvlink
