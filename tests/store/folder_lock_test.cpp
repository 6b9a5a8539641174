#include "store/folder_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "support/temp_dir.h"

namespace store {
namespace {

using namespace std::chrono_literals;

std::string Mine(const std::string& name) {
  return name + " (pid " + std::to_string(::getpid()) + ")";
}

TEST(FolderLockTest, TheFileNamesTheHolderWhileHeldAndHoldsNest) {
  testsupport::TempDir dir;
  FolderLock lock(dir.path() / "Quorvane.lock");
  lock.SetHolderName("quorvane-cli pull");
  lock.Acquire();
  lock.Acquire();  // a step that writes inside another one
  EXPECT_TRUE(lock.Held());
  EXPECT_EQ(testsupport::ReadFileBytes(lock.File()), Mine("quorvane-cli pull"));
  lock.Release();
  EXPECT_TRUE(lock.Held());
  lock.Release();
  EXPECT_FALSE(lock.Held());
  EXPECT_EQ(testsupport::ReadFileBytes(lock.File()), "");
  lock.Release();  // one release too many gives nothing back and does not throw
  EXPECT_FALSE(lock.Held());
}

// Two programs: the second one waits for the first, is told who holds the folder, and
// gets the lock only once the first has given it back.
TEST(FolderLockTest, ASecondWriterWaitsAndIsToldForWhom) {
  testsupport::TempDir dir;
  FolderLock first(dir.path() / "Quorvane.lock");
  first.SetHolderName("Quorvane");
  FolderLock second(dir.path() / "Quorvane.lock");
  second.SetHolderName("quorvane-cli pull");
  std::vector<std::string> told;
  int polls = 0;
  second.SetWaitReport([&](const std::string& holder, bool changed) {
    ++polls;
    if (changed) told.push_back(holder);
  });

  first.Acquire();
  std::atomic<bool> released{false};
  std::atomic<bool> got_it_early{false};
  std::thread other([&] {
    second.Acquire();
    got_it_early = !released;
    EXPECT_EQ(testsupport::ReadFileBytes(second.File()), Mine("quorvane-cli pull"));
    second.Release();
  });
  std::this_thread::sleep_for(300ms);
  released = true;
  first.Release();
  other.join();
  EXPECT_FALSE(got_it_early);
  EXPECT_EQ(told, std::vector<std::string>{Mine("Quorvane")});
  EXPECT_GE(polls, 2);  // reported again at every poll, for a window to stay alive
}

TEST(FolderLockTest, AFolderThatCannotHoldTheLockFileIsAnInputError) {
  testsupport::TempDir dir;
  FolderLock lock(dir.path() / "no such folder" / "Quorvane.lock");
  EXPECT_THROW(lock.Acquire(), codes::InputError);
  EXPECT_FALSE(lock.Held());
}

TEST(FolderLockTest, TheWaitTextNamesTheHolderWhenKnown) {
  EXPECT_EQ(codes::SjisToUtf8(FolderLockWaitText("quorvane-cli (pid 7)")),
            "ほかのプログラム（quorvane-cli (pid 7)）がデータを書き込み中です。終わるまで待ちます…");
  EXPECT_EQ(codes::SjisToUtf8(FolderLockWaitText("")),
            "ほかのプログラムがデータを書き込み中です。終わるまで待ちます…");
}

}  // namespace
}  // namespace store
