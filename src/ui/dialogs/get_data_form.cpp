#include "ui/dialogs/get_data_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "codes/cp932.h"
#include "ui/widgets/screen_prompts.h"
#include "ui/widgets/sjis_text.h"

namespace ui {

namespace {

constexpr int kPollMilliseconds = 10;

const char* const kCaption = "ＪＶデータ取込";
const char* const kFinalOdds = "確定オッズも合わせて取得する";
const char* const kFinalOddsNote =
    "↑ここをチェックすると取得期間に取得済みのオッズがある場合は確定オッズに上書きされます"
    "ので、ご注意ください。";

std::string MessageOf(const std::exception& error) { return SjisMessage(error.what()); }

}  // namespace

// The dialog's labels and bars behind the pull's prompts. The line of counts has a
// label of its own, so the status label keeps the last word of the pull beside it; the
// last failure shown (a message that a beep announced) is remembered for the status
// label once the pull has stopped.
class PullPrompts : public ScreenPrompts {
 public:
  explicit PullPrompts(platform::UserPrompts& messages) : ScreenPrompts(messages) {}

  void Beep() override {
    beeped_ = true;
    ScreenPrompts::Beep();
  }
  void Inform(const std::string& text) override {
    if (beeped_) failure = text;
    beeped_ = false;
    ScreenPrompts::Inform(text);
  }
  void SetStatus(const std::string& where, const std::string& text) override {
    static const std::string kCounts = codes::Sj("取込件数:");
    if (where == jvlink::StoredPull::kStatusLabel && text.starts_with(kCounts)) {
      ScreenPrompts::SetStatus(kCountsLabel, text);
      return;
    }
    ScreenPrompts::SetStatus(where, text);
  }
  void Forget() {
    failure.clear();
    beeped_ = false;
    ScreenPrompts::SetStatus(kCountsLabel, {});
  }

  static constexpr const char* kCountsLabel = "PullCounts";
  std::string failure;  ///< Shift-JIS

 private:
  bool beeped_ = false;
};

TGetDataForm::TGetDataForm(jvlink::JVLink& jv, platform::UserPrompts& prompts,
                           app::Settings& settings, const platform::Clock& clock,
                           store::RecordStore& store, QWidget* parent)
    : QDialog(parent), prompts_(std::make_unique<PullPrompts>(prompts)) {
  setObjectName("TGetDataForm");
  setWindowTitle(QString::fromUtf8(kCaption));
  BuildControls();
  prompts_->BindLabel(jvlink::StoredPull::kStatusLabel, status_);
  prompts_->BindLabel(jvlink::StoredPull::kRecordLabel, record_);
  prompts_->BindLabel(PullPrompts::kCountsLabel, counts_);
  prompts_->BindBar(jvlink::StoredPull::kDownloadBar, download_bar_);
  prompts_->BindBar(jvlink::StoredPull::kReadBar, read_bar_);

  pull_ = std::make_unique<jvlink::StoredPull>(jv, *prompts_, settings, clock, store);
  pull_->SetOnClosed([this] { PullClosed(); });
  const platform::LocalTime start = pull_->StartMoment();
  start_date_->setDate(QDate(start.year, start.month, start.day));

  poll_timer_.setObjectName("PollTimer");
  poll_timer_.setInterval(kPollMilliseconds);
  connect(&poll_timer_, &QTimer::timeout, this, &TGetDataForm::PollTick);
  connect(start_, &QPushButton::clicked, this, &TGetDataForm::StartClicked);
  connect(cancel_, &QPushButton::clicked, this, &TGetDataForm::CancelClicked);
  connect(settings_, &QPushButton::clicked, this, &TGetDataForm::SettingsClicked);
  connect(start_date_, &QDateEdit::dateChanged, this, &TGetDataForm::DateChanged);
}

TGetDataForm::~TGetDataForm() {
  poll_timer_.stop();
  SetBusy(false);
}

void TGetDataForm::BuildControls() {
  auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
  start_date_ = new QDateEdit(this);
  start_date_->setObjectName("StartDate");
  start_date_->setDisplayFormat(QString::fromUtf8("yyyy年M月d日"));
  start_date_->setCalendarPopup(true);
  final_odds_ = new QCheckBox(QString::fromUtf8(kFinalOdds), this);
  final_odds_->setObjectName("FinalOdds");
  auto* note = label(kFinalOddsNote);
  note->setObjectName("FinalOddsNote");
  note->setWordWrap(true);
  note->setStyleSheet("color: blue;");
  download_bar_ = new QProgressBar(this);
  download_bar_->setObjectName("DownloadBar");
  read_bar_ = new QProgressBar(this);
  read_bar_->setObjectName("ReadBar");
  for (QProgressBar* bar : {download_bar_, read_bar_}) bar->setValue(0);
  status_ = new QLabel(this);
  status_->setObjectName("StatusLabel");
  status_->setWordWrap(true);
  status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 2 + 6);
  status_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  counts_ = new QLabel(this);
  counts_->setObjectName("CountsLabel");
  counts_->setWordWrap(true);
  counts_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  record_ = new QLabel(this);
  record_->setObjectName("RecordLabel");
  record_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  start_ = new QPushButton(QString::fromUtf8("データ取込"), this);
  start_->setObjectName("StartButton");
  cancel_ = new QPushButton(QString::fromUtf8("データ取込中止"), this);
  cancel_->setObjectName("CancelButton");
  cancel_->setEnabled(false);
  settings_ = new QPushButton(QString::fromUtf8("JV-Link設定"), this);
  settings_->setObjectName("JVLinkSettingsButton");
  LayOut(note);
}

void TGetDataForm::LayOut(QLabel* note) {
  auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
  auto* grid = new QGridLayout;
  grid->addWidget(label("取得開始日付"), 0, 0);
  grid->addWidget(start_date_, 0, 1);
  grid->addWidget(final_odds_, 1, 0, 1, 2);
  grid->addWidget(note, 2, 0, 1, 2);
  grid->addWidget(label("ダウンロード"), 3, 0);
  grid->addWidget(download_bar_, 3, 1);
  grid->addWidget(label("読込み"), 4, 0);
  grid->addWidget(read_bar_, 4, 1);
  grid->addWidget(status_, 5, 0, 1, 2);
  grid->addWidget(counts_, 6, 0, 1, 2);
  grid->addWidget(label("作成データ"), 7, 0);
  grid->addWidget(record_, 7, 1);
  grid->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(start_);
  buttons->addWidget(cancel_);
  buttons->addStretch(1);
  buttons->addWidget(settings_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  resize(520, sizeHint().height());
}

void TGetDataForm::DateChanged() {
  // The picker holds the day; the time of day of the start moment stays.
  platform::LocalTime moment = pull_->StartMoment();
  const QDate date = start_date_->date();
  moment.year = date.year();
  moment.month = date.month();
  moment.day = date.day();
  pull_->SetStartMoment(moment);
}

void TGetDataForm::StartClicked() {
  if (pull_->phase() != jvlink::StoredPull::Phase::kIdle) return;
  prompts_->Forget();
  pull_->SetFinalOdds(final_odds_->isChecked());
  start_->setEnabled(false);
  cancel_->setEnabled(true);
  SetBusy(true);
  RunStep([this] { pull_->Start(); });
}

void TGetDataForm::PollTick() {
  // The tick that finds the download done runs the whole read loop; no tick may
  // begin inside it.
  poll_timer_.stop();
  RunStep([this] { pull_->Poll(); });
}

void TGetDataForm::CancelClicked() {
  RunStep([this] { pull_->Cancel(); });
}

void TGetDataForm::SettingsClicked() {
  RunStep([this] { pull_->JVLinkSettings(); });
}

void TGetDataForm::RunStep(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& error) {
    // A file error ends the pull; what was read before it is already written.
    prompts_->Beep();
    prompts_->Inform(MessageOf(error));
  }
  AfterStep();
}

void TGetDataForm::AfterStep() {
  using Phase = jvlink::StoredPull::Phase;
  if (pull_->PollTimerRunning()) {
    if (!poll_timer_.isActive()) poll_timer_.start();
  } else {
    poll_timer_.stop();
  }
  const bool idle = pull_->phase() == Phase::kIdle && !pull_->PollTimerRunning();
  if (idle) {
    SetBusy(false);
    ShowOutcome();
    const platform::LocalTime start = pull_->StartMoment();
    start_date_->setDate(QDate(start.year, start.month, start.day));
  }
  start_->setEnabled(idle);
  cancel_->setEnabled(!idle);
  if (idle && close_pending_) {
    const int result = *close_pending_;
    close_pending_.reset();
    done(result);
  }
}

void TGetDataForm::ShowOutcome() {
  using Outcome = jvlink::StoredPull::Outcome;
  const Outcome outcome = pull_->outcome();
  if (outcome != Outcome::kFailed && outcome != Outcome::kCancelled) return;
  // The status label keeps what stopped the pull; the counts label what it had filed.
  if (!prompts_->failure.empty()) status_->setText(FromSjis(prompts_->failure));
}

void TGetDataForm::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void TGetDataForm::PullClosed() {
  closed_reported_ = true;
  if (on_closed_) on_closed_();
  emit pullClosed();
}

void TGetDataForm::done(int result) {
  if (pull_->phase() == jvlink::StoredPull::Phase::kReading) {
    close_pending_ = result;
    pull_->Close();
    return;
  }
  poll_timer_.stop();
  if (!closed_reported_) {
    try {
      pull_->Close();
    } catch (const std::exception& error) {
      prompts_->Beep();
      prompts_->Inform(MessageOf(error));
    }
    if (!closed_reported_) PullClosed();
  }
  SetBusy(false);
  QDialog::done(result);
}

}  // namespace ui
