#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/settings.h"
#include "jvlink/jv_link.h"
#include "jvlink/stored_pull.h"
#include "platform/clock.h"
#include "platform/user_prompts.h"
#include "store/record_store.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QProgressBar;
class QPushButton;

namespace ui {

class PullPrompts;

/// The data-pull dialog "ＪＶデータ取込": the start date "取得開始日付", the final-odds
/// check box with its note, the bars "ダウンロード" and "読込み", the status label, the
/// line of counts "取込件数:…" under it, the record label "作成データ" and the buttons
/// "データ取込", "データ取込中止" and "JV-Link設定", over jvlink::StoredPull. A 10 ms timer
/// polls the download; the read loop lets window events run before every record, so the
/// dialog (and the window behind it) keeps answering while it reads.
///
/// The main window opens it modally from "JVデータ取得":
///   TGetDataForm form(*session.JVLink(), prompts, session.Settings(), session.TheClock(),
///                     session.Store(), this);
///   form.setOnClosed([&] { /* clear the race list, hide the pages, BuildDateList */ });
///   form.exec();
/// Beeps, information dialogs and questions go to `prompts` (message boxes in the
/// program); the dialog's own labels and bars show the rest. Every argument must
/// outlive the dialog.
class TGetDataForm : public QDialog {
  Q_OBJECT

 public:
  TGetDataForm(jvlink::JVLink& jv, platform::UserPrompts& prompts, app::Settings& settings,
               const platform::Clock& clock, store::RecordStore& store, QWidget* parent = nullptr);
  ~TGetDataForm() override;

  /// Runs once when the dialog closes, however it closes: the date list is rebuilt there.
  void setOnClosed(std::function<void()> on_closed) { on_closed_ = std::move(on_closed); }
  /// The pull behind the dialog (its phase, outcome and counts).
  const jvlink::StoredPull& pull() const { return *pull_; }

  /// Closing while the read loop runs stops the loop at its next record; the records
  /// read so far are written and the dialog closes right after.
  void done(int result) override;

 signals:
  /// The dialog closed; the pull's files are written and its stream closed.
  void pullClosed();

 private:
  void BuildControls();
  void LayOut(QLabel* note);
  void StartClicked();
  void CancelClicked();
  void SettingsClicked();
  void PollTick();
  void DateChanged();
  /// Runs a step of the pull, reporting what escapes it, then brings the dialog up to date.
  void RunStep(const std::function<void()>& step);
  void AfterStep();
  void ShowOutcome();
  void SetBusy(bool busy);
  void PullClosed();

  std::unique_ptr<PullPrompts> prompts_;
  std::unique_ptr<jvlink::StoredPull> pull_;
  std::function<void()> on_closed_;
  QTimer poll_timer_;
  bool busy_ = false;
  bool closed_reported_ = false;
  std::optional<int> close_pending_;

  QDateEdit* start_date_ = nullptr;
  QCheckBox* final_odds_ = nullptr;
  QProgressBar* download_bar_ = nullptr;
  QProgressBar* read_bar_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* counts_ = nullptr;  ///< "取込件数:…", apart from the status
  QLabel* record_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* settings_ = nullptr;
};

}  // namespace ui
