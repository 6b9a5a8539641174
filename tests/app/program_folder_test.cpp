#include "app/program_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace app {
namespace {

namespace fs = std::filesystem;

struct FolderCase {
  const char* name;
  const char* executable_folder;  // "<temp>" is a folder the test may write to
  const char* xdg_data_home;
  const char* home;
  const char* expected;  // "<temp>" as above; nullptr: no folder
};

const FolderCase kCases[] = {
    {"build_folder_keeps_its_data_beside_it", "<temp>", "/x/data", "/home/me", "<temp>"},
    {"installed_uses_xdg_data_home", "/usr/bin", "/x/data", "/home/me", "/x/data/Quorvane"},
    {"installed_without_xdg_uses_local_share", "/usr/bin", "", "/home/me",
     "/home/me/.local/share/Quorvane"},
    {"relative_xdg_data_home_is_ignored", "/usr/bin", "data", "/home/me",
     "/home/me/.local/share/Quorvane"},
    {"usr_local_is_installed_too", "/usr/local/bin", "", "/home/me",
     "/home/me/.local/share/Quorvane"},
    {"xdg_with_trailing_slash", "/usr/bin", "/x/data/", "", "/x/data/Quorvane"},
    {"folder_that_does_not_exist_cannot_be_written", "/no/such/folder", "", "/home/me",
     "/home/me/.local/share/Quorvane"},
    {"installed_without_any_home_has_no_folder", "/usr/bin", "", "", nullptr},
    {"a_folder_named_usr_elsewhere_is_not_the_system", "<temp>/usr", "", "/home/me",
     "<temp>/usr"},
};

class DefaultProgramFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(DefaultProgramFolderTest, Chooses) {
  const FolderCase& c = GetParam();
  testsupport::TempDir temp;
  fs::create_directories(temp.path() / "usr");
  auto expand = [&](std::string text) {
    if (text.starts_with("<temp>")) text = temp.path().string() + text.substr(6);
    return fs::path(text);
  };
  const auto folder = DefaultProgramFolder({expand(c.executable_folder), c.xdg_data_home, c.home});
  if (c.expected == nullptr) {
    EXPECT_FALSE(folder);
  } else {
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, expand(c.expected));
  }
}

INSTANTIATE_TEST_SUITE_P(Places, DefaultProgramFolderTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DefaultProgramFolder, AFolderItsUserCannotWriteCountsAsInstalled) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write anywhere";
  testsupport::TempDir temp;
  const fs::path locked = temp.path() / "locked";
  fs::create_directories(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  const auto folder = DefaultProgramFolder({locked, "/x/data", "/home/me"});
  fs::permissions(locked, fs::perms::owner_all);
  ASSERT_TRUE(folder);
  EXPECT_EQ(*folder, fs::path("/x/data/Quorvane"));
}

}  // namespace
}  // namespace app
