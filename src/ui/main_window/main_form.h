#pragma once

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "app/session.h"
#include "bet_page.h"
#include "qt_prompts.h"
#include "race_header_panel.h"
#include "result_page_model.h"

namespace ui {

/// The main window (caption "Quorvane"): tool bar, menus, the date drop-down `DateCombo`,
/// the race list `DatList` with its "F" toggle, the header panel, the page control
/// `PageControl1` with the bet page "買い目" and the result page "結果", the status line
/// that shows hints and the status label. It renders the Session and forwards the user's
/// choices to it.
class TMainForm : public QMainWindow {
 public:
  /// The commands that open the dialogs; each is run with this window as parent. A command
  /// left empty keeps its menu item and button disabled.
  struct DialogCommands {
    std::function<void(TMainForm&)> DataPull;          ///< "JVデータ取得"
    std::function<void(TMainForm&)> Settings;          ///< "各種設定(&T)"
    std::function<void(TMainForm&)> TimeSeriesFolder;  ///< "時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定(&T)"
    std::function<void(TMainForm&)> PluginFolder;  ///< "Velk投票プラグイン２フォルダ指定"
    std::function<void(TMainForm&)> Version;       ///< "ﾊﾞｰｼﾞｮﾝ情報"
    std::function<void(TMainForm&)> Manual;        ///< "ヘルプ"
    std::function<void(TMainForm&)> Verification;  ///< "開発用" → "出力"
  };

  TMainForm(app::Session& session, QtPrompts& prompts, DialogCommands commands = {},
            QWidget* parent = nullptr);

  /// What the window prepares before it is shown, in order: the companion folders, the
  /// Data, CHG and Kaime folders, the placement from `locate`, the error log's start
  /// lines, the stake split and the ticked rule book, the date list.
  void Prepare();

  /// The user picks a day (Shift-JIS DayPrefix) in `DateCombo`; false when it did not load.
  bool ChooseDate(const std::string& day_prefix);
  /// After the verification export: the day picked and its race-list item selected.
  void ShowDayAndRace(const std::string& day_prefix, int item);
  /// The date list built again (after a pull) and shown.
  void RebuildDateList();
  /// The race shown drawn again after the settings changed (the race selected anew).
  void ShowRaceAgain();
  /// Every part of the window drawn again from the Session.
  void Render();

  app::Session& Session() { return session_; }
  QtPrompts& Prompts() { return prompts_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildCentre();
  QWidget* BuildDateRow();
  QWidget* BuildResultPage();
  void BuildMenus();
  void BuildToolBar();
  QAction* Command(const QString& text, const QString& hint,
                   const std::function<void(TMainForm&)>& command);
  void RenderDateList();
  void RenderRaceList();
  void RenderRace();
  void DatePicked(int index);
  void RaceChosen(int row);
  void RaceClicked(const QModelIndex& index);
  void NextRaceClicked();
  void LogicChosen(int option);
  void TickLogic();
  void PlaceFromSettings();
  void InitJVLink();

  app::Session& session_;
  QtPrompts& prompts_;
  DialogCommands commands_;
  bool rendering_ = false;  ///< lists filled by the window, not picked by the user
  bool shown_once_ = false;
  bool row_changed_by_press_ = false;  ///< the last press on the race list changed its row
  QComboBox* date_combo_ = nullptr;
  QListWidget* dat_list_ = nullptr;
  QWidget* race_list_panel_ = nullptr;
  QToolButton* list_toggle_ = nullptr;
  RaceHeaderPanel* header_ = nullptr;
  QTabWidget* pages_ = nullptr;
  BetPage* bet_page_ = nullptr;
  ResultPageModel* result_model_ = nullptr;
  QLabel* status_label_ = nullptr;
  QActionGroup* logic_group_ = nullptr;
  QAction* logic_a_ = nullptr;
  QAction* logic_b_ = nullptr;
};

/// The text buttons of `bar` as wide as their texts and a small margin: Qt's own width adds
/// two spaces to each, which would push the clock of an 800-pixel window off the bar.
void FitToolButtons(QToolBar& bar);

}  // namespace ui
