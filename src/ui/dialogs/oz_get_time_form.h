#pragma once

#include <QDialog>

#include "app/settings.h"
#include "platform/user_prompts.h"

class QSpinBox;

namespace ui {

class NumberEdit;

/// The settings dialog "各種設定" (menu "ｵﾌﾟｼｮﾝ(&O)" → "各種設定(&T)"), two tabs:
/// "ｵｯｽﾞ取得時刻" (the morning-odds time 9:00-9:59 with the one-click buttons 9:15,
/// 9:30 and 9:40; the result-fetch interval of 5 to 59 minutes) and "初期投資金額" (the
/// stake per race, up to six digits). OK writes `First`, `AutoOzGet`, `AutoRdataGet`
/// and `DefaultAmount` (a stake below 100 yen as 100); Cancel writes nothing. The
/// dialog opens at the position kept in `OzGetTimeFormlocate` and keeps its position
/// there when it goes.
///
/// The main window opens it anew each time, modally:
///   TOzGetTimeForm form(session.Settings(), prompts, this);
///   if (form.exec() == QDialog::Accepted && !session.DatList.Items.empty())
///     /* select and show the race shown again, so the new settings apply */;
/// A settings file that cannot be written is reported through `prompts` and the
/// dialog stays open.
class TOzGetTimeForm : public QDialog {
  Q_OBJECT

 public:
  TOzGetTimeForm(app::Settings& settings, platform::UserPrompts& prompts,
                 QWidget* parent = nullptr);
  /// Writes the dialog's position to `OzGetTimeFormlocate`.
  ~TOzGetTimeForm() override;

  /// OK: writes the settings, then closes.
  void accept() override;

 private:
  void BuildOddsTimeTab(QWidget* tab);
  void BuildAmountTab(QWidget* tab);
  void ReadSettings();
  void PlaceFromSettings();

  app::Settings& settings_;
  platform::UserPrompts& prompts_;
  int auto_oz_get_ = 10;  ///< held unchanged and written back on OK
  QSpinBox* hour_ = nullptr;
  QSpinBox* minute_ = nullptr;
  QSpinBox* result_interval_ = nullptr;
  NumberEdit* amount_ = nullptr;
};

}  // namespace ui
