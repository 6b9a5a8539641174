#include "first_start.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <cstdlib>
#include <string_view>
#include <system_error>

#include "app/ini_file.h"
#include "codes/ascii_case.h"
#include "codes/civil_date.h"
#include "codes/errors.h"
#include "jvlink/stored_pull.h"
#include "platform/clock.h"
#include "qt_text.h"
#include "samplefeed/feed_writer.h"

namespace ui {
namespace {

namespace fs = std::filesystem;

bool HasStoredRecords(const fs::path& data) {
  std::error_code ec;
  for (fs::directory_iterator it(data, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec)) return true;
  }
  return false;
}

// The progress window of the sample data's pull: the pull's status and its reading bar;
// what the pull would tell in boxes is kept to be shown once it has ended.
class SamplePullPrompts : public platform::UserPrompts {
 public:
  explicit SamplePullPrompts(QProgressDialog& progress) : progress_(progress) {}
  void Beep() override {}
  void Inform(const std::string& text) override { last_inform_ = text; }
  bool Confirm(const std::string&) override { return false; }
  void SetStatus(const std::string& where, const std::string& text) override {
    if (where == jvlink::StoredPull::kStatusLabel) progress_.setLabelText(FromSjis(text));
  }
  void SetProgress(const std::string& where, int position, int maximum) override {
    if (where != jvlink::StoredPull::kReadBar || maximum <= 0) return;
    progress_.setMaximum(maximum);
    progress_.setValue(position);
  }
  void ProcessEvents() override { QApplication::processEvents(); }
  const std::string& LastInform() const { return last_inform_; }

 private:
  QProgressDialog& progress_;
  std::string last_inform_;
};

bool Accepted(SampleOffer offer, const fs::path& home) {
  if (offer != SampleOffer::kAsk) return offer == SampleOffer::kAccept;
  auto box = MakeSampleOfferBox(home);
  box->exec();
  return box->buttonRole(box->clickedButton()) == QMessageBox::AcceptRole;
}

std::unique_ptr<QProgressDialog> Progress(const QString& text, QWidget* parent) {
  auto progress = std::make_unique<QProgressDialog>(text, QString(), 0, 0, parent);
  progress->setWindowTitle(QStringLiteral("Quorvane"));
  progress->setWindowModality(Qt::WindowModal);
  progress->setMinimumDuration(0);
  progress->setValue(0);
  QApplication::processEvents();
  return progress;
}

// The days up to yesterday, so every race of them is run and paid.
int SampleFirstDay(const platform::Clock& clock) {
  return codes::AddDays(clock.Now().Ymd(), -kSampleDays);
}

bool WriteSampleFeed(const fs::path& home, const platform::Clock& clock, QtPrompts& prompts) {
  auto progress = Progress(QStringLiteral("サンプルデータを作成しています…"), nullptr);
  samplefeed::FeedOptions options;
  options.out = FeedFolderOf(home);
  options.from = SampleFirstDay(clock);
  options.days = kSampleDays;
  try {
    samplefeed::WriteFeed(options);
    return true;
  } catch (const std::exception& error) {
    progress.reset();
    std::error_code ec;
    fs::remove_all(options.out, ec);  // half a feed would stand for JV-Link next time
    prompts.Beep();
    prompts.Inform(Sj("サンプルデータを作成できませんでした：") + error.what());
    return false;
  }
}

void PullSampleFeed(DesktopProgram& program, const platform::Clock& clock) {
  TMainForm& window = program.Window();
  app::Session& session = program.Session();
  auto progress = Progress(QStringLiteral("サンプルデータを取り込んでいます…"), &window);
  SamplePullPrompts prompts(*progress);
  jvlink::StoredPull pull(program.JVLink(), prompts, session.Settings(), clock, session.Store());
  const int first = SampleFirstDay(clock);
  pull.SetStartMoment({first / 10000, first / 100 % 100, first % 100, 0, 0, 0});
  pull.SetFinalOdds(true);
  pull.Start();
  while (pull.PollTimerRunning()) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    pull.Poll();
  }
  pull.Close();
  progress.reset();
  window.RebuildDateList();
  if (pull.outcome() != jvlink::StoredPull::Outcome::kCompleted) {
    window.Prompts().Inform(prompts.LastInform());
    return;
  }
  if (!session.DateCombo.Items.empty()) window.ChooseDate(session.DateCombo.Items.front());
}

}  // namespace

SampleOffer SampleOfferFromEnvironment() {
  const char* value = std::getenv("QUORVANE_SAMPLE_OFFER");
  const std::string_view answer = value ? value : "";
  if (answer == "yes") return SampleOffer::kAccept;
  if (answer == "no") return SampleOffer::kDecline;
  return SampleOffer::kAsk;
}

bool IsFirstStartWithoutData(const fs::path& home) {
  const std::string source =
      app::IniFile(home / "Quorvane.ini").ReadString("JVLink", "Source", "feed");
  if (!source.empty() && !codes::SameAsciiName(source, "feed")) return false;
  return !jvlink::FeedJVLink::IsInstalled(FeedFolderOf(home)) && !HasStoredRecords(home / "Data");
}

std::unique_ptr<QMessageBox> MakeSampleOfferBox(const fs::path& home, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(QStringLiteral("Quorvane"));
  box->setIcon(QMessageBox::Question);
  box->setText(QStringLiteral("Quorvane へようこそ。データがまだありません。"));
  box->setInformativeText(
      QStringLiteral("JV-Link が無くても試せるように、サンプルデータ（架空の開催日 %1 週間分）を"
                     "作成して取り込みますか？\n\n"
                     "作成先：%2\n\n"
                     "JV-Link を使うときは「使わない」を選び、JV-Link を用意してから起動してください。")
          .arg(kSampleDays / 7)
          .arg(QString::fromStdString(FeedFolderOf(home).string())));
  box->setDefaultButton(
      box->addButton(QStringLiteral("サンプルデータを使う"), QMessageBox::AcceptRole));
  box->addButton(QStringLiteral("使わない"), QMessageBox::RejectRole);
  return box;
}

std::unique_ptr<DesktopProgram> StartShown(const fs::path& home, QtPrompts& prompts,
                                           TMainForm::DialogCommands commands,
                                           SampleOffer offer) {
  platform::SystemClock clock;
  const bool sample = IsFirstStartWithoutData(home) && Accepted(offer, home) &&
                      WriteSampleFeed(home, clock, prompts);
  auto program = DesktopProgram::Start(home, prompts, std::move(commands));
  if (!program) return nullptr;
  program->Window().show();
  if (sample) PullSampleFeed(*program, clock);
  return program;
}

}  // namespace ui
