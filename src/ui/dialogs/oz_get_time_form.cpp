#include "ui/dialogs/oz_get_time_form.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "ui/widgets/number_edit.h"
#include "ui/widgets/sjis_text.h"

namespace ui {

namespace {

constexpr int kStakeDigits = 6;

// Texts stay on one line: the dialog takes the width of the longest.
QLabel* Text(const char* utf8, QWidget* parent) {
  return new QLabel(QString::fromUtf8(utf8), parent);
}

QSpinBox* Field(const char* name, int low, int high, QWidget* parent) {
  auto* field = new QSpinBox(parent);
  field->setObjectName(name);
  field->setRange(low, high);
  field->setAlignment(Qt::AlignRight);
  return field;
}

// Two digits of `text` from `at` as a number; -1 when they are not digits.
int TwoDigits(const std::string& text, size_t at) {
  if (text.size() < at + 2) return -1;
  const char a = text[at];
  const char b = text[at + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
  return (a - '0') * 10 + (b - '0');
}

// The one-click buttons of the morning-odds time.
constexpr int kOneClickMinutes[] = {15, 30, 40};

}  // namespace

TOzGetTimeForm::TOzGetTimeForm(app::Settings& settings, platform::UserPrompts& prompts,
                               QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts) {
  setObjectName("TOzGetTimeForm");
  setWindowTitle(QString::fromUtf8("各種設定"));
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName("SettingsTabs");
  auto* odds_tab = new QWidget(tabs);
  auto* amount_tab = new QWidget(tabs);
  BuildOddsTimeTab(odds_tab);
  BuildAmountTab(amount_tab);
  tabs->addTab(odds_tab, QString::fromUtf8("ｵｯｽﾞ取得時刻"));
  tabs->addTab(amount_tab, QString::fromUtf8("初期投資金額"));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("OkButton");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelButton");
  buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("キャンセル"));
  connect(buttons, &QDialogButtonBox::accepted, this, &TOzGetTimeForm::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TOzGetTimeForm::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addWidget(buttons);

  ReadSettings();
  PlaceFromSettings();
}

TOzGetTimeForm::~TOzGetTimeForm() {
  try {
    settings_.SetSettingsDialogPosition(y(), x());
  } catch (const std::exception&) {
    // Losing the dialog's position is no reason to stop the program.
  }
}

void TOzGetTimeForm::BuildOddsTimeTab(QWidget* tab) {
  auto* morning = new QGroupBox(QString::fromUtf8("朝オッズ取得時刻指定"), tab);
  hour_ = Field("HourEdit", 9, 9, morning);
  minute_ = Field("MinuteEdit", 0, 59, morning);
  auto* time_row = new QHBoxLayout;
  time_row->addWidget(Text("午前", morning));
  time_row->addWidget(hour_);
  time_row->addWidget(Text("時", morning));
  time_row->addWidget(minute_);
  time_row->addWidget(Text("分", morning));
  time_row->addStretch(1);
  auto* click_row = new QHBoxLayout;
  click_row->addWidget(Text("ワンクリック入力", morning));
  for (int minute : kOneClickMinutes) {
    auto* button = new QPushButton(QStringLiteral("9:%1").arg(minute), morning);
    button->setObjectName(QStringLiteral("OneClick%1").arg(minute));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, minute] {
      hour_->setValue(9);
      minute_->setValue(minute);
    });
    click_row->addWidget(button);
  }
  click_row->addStretch(1);
  auto* morning_layout = new QVBoxLayout(morning);
  morning_layout->addWidget(
      Text("朝オッズデータを何時頃のオッズデータとするか設定します。", morning));
  morning_layout->addWidget(Text("（午前９時～９時５９分までの任意の時刻を指定）", morning));
  morning_layout->addLayout(time_row);
  morning_layout->addLayout(click_row);

  auto* results = new QGroupBox(QString::fromUtf8("結果情報自動取得時刻指定"), tab);
  result_interval_ = Field("ResultIntervalEdit", 5, 59, results);
  auto* interval_row = new QHBoxLayout;
  interval_row->addWidget(result_interval_);
  interval_row->addWidget(Text("分間隔", results));
  interval_row->addStretch(1);
  auto* results_layout = new QVBoxLayout(results);
  results_layout->addWidget(
      Text("随時更新されるﾚｰｽ結果情報を何分おきに自動取得するか指定します。", results));
  results_layout->addLayout(interval_row);

  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(morning);
  layout->addWidget(results);
  layout->addStretch(1);
}

void TOzGetTimeForm::BuildAmountTab(QWidget* tab) {
  auto* box = new QGroupBox(QString::fromUtf8("投資金額初期設定"), tab);
  amount_ = new NumberEdit(kStakeDigits, box);
  amount_->setObjectName("AmountEdit");
  amount_->setMaximumWidth(amount_->fontMetrics().horizontalAdvance("0000000000"));
  auto* row = new QHBoxLayout(box);
  row->addWidget(amount_);
  row->addWidget(Text("円", box));
  row->addStretch(1);
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(Text("買い目を作成するための1レースあたりの投資金額を設定します。", tab));
  layout->addWidget(box);
  layout->addStretch(1);
}

void TOzGetTimeForm::ReadSettings() {
  // "hhmm": the hour from the first two characters, the minute from the next two;
  // what does not read as a time of the field's range falls to its nearest bound.
  const std::string first = settings_.FirstForSettingsDialog();
  const int hour = TwoDigits(first, 0);
  const int minute = TwoDigits(first, 2);
  hour_->setValue(hour < 0 ? 9 : hour);
  minute_->setValue(minute < 0 ? 45 : minute);
  result_interval_->setValue(settings_.AutoRdataGet());
  auto_oz_get_ = settings_.AutoOzGet();
  amount_->setValue(settings_.DefaultAmount());
}

void TOzGetTimeForm::PlaceFromSettings() {
  const app::WindowPlacement at = settings_.SettingsDialogPosition();
  // A position left on a screen no longer there would hide the dialog.
  if (QGuiApplication::screenAt(QPoint(at.left, at.top)) == nullptr) return;
  move(at.left, at.top);
}

void TOzGetTimeForm::accept() {
  // A value still being typed counts as the user left it, within its range.
  for (QSpinBox* field : {hour_, minute_, result_interval_}) field->interpretText();
  try {
    settings_.SetFirst(hour_->value(), minute_->value());
    settings_.SetAutoOzGet(auto_oz_get_);
    settings_.SetAutoRdataGet(result_interval_->value());
    settings_.SetDefaultAmount(std::max(amount_->value(), 100));
  } catch (const std::exception& error) {
    prompts_.Beep();
    prompts_.Inform(SjisMessage(error.what()));
    return;
  }
  QDialog::accept();
}

}  // namespace ui
