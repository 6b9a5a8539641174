#include "ui/widgets/screen_prompts.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <memory>

#include "codes/cp932.h"
#include "widgets_tests.h"

namespace {

// Remembers what reaches it.
class Messages : public platform::UserPrompts {
 public:
  void Beep() override { ++beeps; }
  void Inform(const std::string& text) override { informs.push_back(text); }
  bool Confirm(const std::string&) override { return true; }
  void SetStatus(const std::string& where, const std::string&) override {
    statuses.push_back(where);
  }
  void SetProgress(const std::string& where, int, int) override { bars.push_back(where); }
  void ProcessEvents() override {}
  int beeps = 0;
  std::vector<std::string> informs, statuses, bars;
};

}  // namespace

void ScreenPromptsTest::boundLabelsAndBarsShowTheCoreTexts() {
  Messages messages;
  ui::ScreenPrompts prompts(messages);
  QLabel label;
  QProgressBar bar;
  prompts.BindLabel("status", &label);
  prompts.BindBar("read", &bar);
  prompts.SetStatus("status", codes::Sj("データ作成が完了しました。"));
  QCOMPARE(label.text(), QString::fromUtf8("データ作成が完了しました。"));
  prompts.SetProgress("read", 3, 10);
  QCOMPARE(bar.maximum(), 10);
  QCOMPARE(bar.value(), 3);
  prompts.SetProgress("read", 12, 10);  // never past the end
  QCOMPARE(bar.value(), 10);
  QVERIFY(messages.statuses.empty() && messages.bars.empty());

  // A label gone with its window is skipped, not touched.
  auto gone = std::make_unique<QLabel>();
  prompts.BindLabel("gone", gone.get());
  gone.reset();
  prompts.SetStatus("gone", "x");
}

void ScreenPromptsTest::unboundNamesAndMessagesGoOn() {
  Messages messages;
  ui::ScreenPrompts prompts(messages);
  prompts.SetStatus("elsewhere", "x");
  prompts.SetProgress("elsewhere", 1, 2);
  prompts.Beep();
  prompts.Inform("y");
  QVERIFY(prompts.Confirm("z"));
  QCOMPARE(messages.statuses, std::vector<std::string>{"elsewhere"});
  QCOMPARE(messages.bars, std::vector<std::string>{"elsewhere"});
  QCOMPARE(messages.beeps, 1);
  QCOMPARE(messages.informs, std::vector<std::string>{"y"});
}
