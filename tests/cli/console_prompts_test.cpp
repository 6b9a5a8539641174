#include "console_prompts.h"

#include <gtest/gtest.h>

#include <sstream>

#include "codes/cp932.h"

namespace {

TEST(ConsolePromptsTest, PrintsMessagesInUtf8AndAnswersNoUnlessToldYes) {
  std::ostringstream err;
  cli::ConsolePrompts no(false, err);
  no.Beep();
  no.Inform(codes::Sj("データ作成が未完了のようです。"));
  EXPECT_FALSE(no.Confirm(codes::Sj("投票しますか？")));
  EXPECT_EQ(err.str(), "データ作成が未完了のようです。\n投票しますか？ [y/N] N\n");
  EXPECT_EQ(no.InformCount(), 1);

  std::ostringstream err_yes;
  cli::ConsolePrompts yes(true, err_yes);
  EXPECT_TRUE(yes.Confirm("ok?"));
  EXPECT_EQ(err_yes.str(), "ok? [y/N] y\n");
}

TEST(ConsolePromptsTest, ProgressIsOneBarLineEndedAtItsMaximum) {
  std::ostringstream err;
  cli::ConsolePrompts prompts(false, err);
  prompts.SetProgress("pull", 1, 3);
  prompts.SetProgress("pull", 3, 3);
  prompts.SetStatus("main", "done");
  EXPECT_EQ(err.str(), "\rpull [##########                    ] 1/3"
                       "\rpull [##############################] 3/3\ndone\n");
}

TEST(ConsolePromptsTest, AMessageDuringProgressStartsOnItsOwnLine) {
  std::ostringstream err;
  cli::ConsolePrompts prompts(false, err);
  prompts.SetProgress("pull", 0, 0);
  prompts.SetStatus("main", "x");
  prompts.SetStatus("main", "x");  // unchanged: not printed again
  EXPECT_EQ(err.str(), "\rpull [                              ] 0/0\nx\n");
}

}  // namespace
