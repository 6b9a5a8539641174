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
  EXPECT_EQ(err.str(),
            "\rpull [##########                    ] 1/3"
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

namespace {

struct AnswerCase {
  const char* typed;
  bool interactive;
  bool yes;
};

// The case as test names and messages show it.
[[maybe_unused]] void PrintTo(const AnswerCase& c, std::ostream* os) {
  *os << (c.interactive ? "terminal " : "pipe ") << c.typed;
}

// clang-format off
const AnswerCase kAnswers[] = {
  {"y\n",     true,  true},
  {"Y\n",     true,  true},
  {" yes \n", true,  true},
  {"YES",     true,  true},   // the last line without its end
  {"n\n",     true,  false},
  {"\n",      true,  false},  // Enter alone takes the default, No
  {"ja\n",    true,  false},
  {"",        true,  false},  // end of input
  {"y\n",     false, false},  // not a terminal: nothing is read
};
// clang-format on

class ConfirmAnswerTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(ConfirmAnswerTest, ReadsYOrNFromATerminalOnly) {
  const AnswerCase& c = GetParam();
  std::istringstream in(c.typed);
  std::ostringstream err;
  cli::ConsolePrompts prompts(false, in, c.interactive, err);
  EXPECT_EQ(prompts.Confirm("ok?"), c.yes) << c.typed;
  EXPECT_EQ(err.str().rfind("ok? [y/N] ", 0), 0u) << err.str();
  if (!c.interactive) {
    EXPECT_EQ(err.str(), "ok? [y/N] N (standard input is no terminal; --yes answers Yes)\n");
    EXPECT_EQ(in.tellg(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, ConfirmAnswerTest, ::testing::ValuesIn(kAnswers),
                         [](const auto& info) { return "answer" + std::to_string(info.index); });

}  // namespace
