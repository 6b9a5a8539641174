// The frame of the main window: menus, tool bar, what it prepares before it is shown,
// JV-Link's initialisation when it is first shown, and the placement kept on close.

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/settings_companion_lookup.h"
#include "guarded.h"
#include "jvlink/jv_link.h"
#include "jvlink/result_message.h"
#include "main_form.h"
#include "program_identity.h"
#include "qt_text.h"

namespace ui {
namespace {

constexpr int kDefaultCorner = 10;  ///< `locate` top and left when none is stored

}  // namespace

QAction* TMainForm::Command(const QString& text, const QString& hint,
                            const std::function<void(TMainForm&)>& command) {
  auto* action = new QAction(text, this);
  if (!hint.isEmpty()) {
    action->setStatusTip(hint);
    action->setToolTip(hint);
  }
  action->setEnabled(static_cast<bool>(command));
  if (command) connect(action, &QAction::triggered, this, [this, command] { command(*this); });
  return action;
}

void TMainForm::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
  QAction* pull = Command(QStringLiteral("JVデータ取得(&J)"),
                          QStringLiteral("JVデータの取得を行います"), commands_.DataPull);
  pull->setVisible(false);  // the tool-bar button is the way in
  file->addAction(pull);
  QAction* quit = file->addAction(QStringLiteral("終了(&X)"));
  quit->setObjectName(QStringLiteral("QuitItem"));
  quit->setStatusTip(QStringLiteral("本ソフトを終了します"));
  connect(quit, &QAction::triggered, this, &QWidget::close);

  QMenu* options = menuBar()->addMenu(QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"));
  QAction* settings = Command(QStringLiteral("各種設定(&T)"), {}, commands_.Settings);
  settings->setObjectName(QStringLiteral("SettingsItem"));
  options->addAction(settings);
  QMenu* folders = options->addMenu(QStringLiteral("ﾌｫﾙﾀﾞ指定(&F)"));
  folders->addAction(
      Command(QStringLiteral("時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定(&T)"), {}, commands_.TimeSeriesFolder));
  folders->addAction(
      Command(QStringLiteral("Velk投票プラグイン２フォルダ指定"), {}, commands_.PluginFolder));
  options->addSeparator();
  logic_group_ = new QActionGroup(this);
  logic_group_->setExclusive(true);
  logic_a_ = options->addAction(QStringLiteral("ロジックＡ"));
  logic_b_ = options->addAction(QStringLiteral("ロジックＢ"));
  logic_a_->setObjectName(QStringLiteral("LogicAItem"));
  logic_b_->setObjectName(QStringLiteral("LogicBItem"));
  for (QAction* item : {logic_a_, logic_b_}) {
    item->setCheckable(true);
    logic_group_->addAction(item);
  }
  logic_a_->setChecked(true);
  connect(logic_a_, &QAction::triggered, this, [this] { LogicChosen(1); });
  connect(logic_b_, &QAction::triggered, this, [this] { LogicChosen(2); });

  QMenu* development = menuBar()->addMenu(QStringLiteral("開発用"));
  QAction* verification = Command(QStringLiteral("出力"), {}, commands_.Verification);
  verification->setObjectName(QStringLiteral("VerificationItem"));
  development->addAction(verification);

  QMenu* help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
  help->addAction(Command(QStringLiteral("使用解説書(&C)"),
                          QStringLiteral("本ソフトのヘルプを表示します"), commands_.Manual));
  help->addAction(Command(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)..."), {}, commands_.Version));
}

void TMainForm::BuildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("ToolBar1"));
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setMovable(false);

  QAction* pull = Command(QStringLiteral("JVデータ取得"),
                          QStringLiteral("JVデータの取得を行います"), commands_.DataPull);
  pull->setObjectName(QStringLiteral("JVDataButton"));
  bar->addAction(pull);
  QAction* next = bar->addAction(QStringLiteral("直前ﾚｰｽ"));
  next->setObjectName(QStringLiteral("NextRaceBtn"));
  connect(next, &QAction::triggered, this, &TMainForm::NextRaceClicked);
  bar->addSeparator();
  bar->addAction(Command(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), {}, commands_.Version));
  bar->addAction(Command(QStringLiteral("ヘルプ"), QStringLiteral("本ソフトのヘルプを表示します"),
                         commands_.Manual));
  QAction* quit = bar->addAction(QStringLiteral("終了"));
  quit->setStatusTip(QStringLiteral("本ソフトを終了します"));
  quit->setToolTip(quit->statusTip());
  connect(quit, &QAction::triggered, this, &QWidget::close);
  FitToolButtons(*bar);
}

void FitToolButtons(QToolBar& bar) {
  constexpr int kPadding = 14;  // the button's frame and a little air on either side
  for (QAction* action : bar.actions()) {
    auto* button = qobject_cast<QToolButton*>(bar.widgetForAction(action));
    if (!button) continue;
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(action->text()) + kPadding);
  }
}

void TMainForm::LogicChosen(int option) {
  session_.Settings().SetKaimeOption(option);
  // the bets of the race shown follow the rule book at once
  ShowRaceAgain();
}

void TMainForm::TickLogic() {
  // "ロジックＡ" is ticked when the window is made; only a stored 2 ticks "ロジックＢ"
  (session_.Settings().KaimeOption() == 2 ? logic_b_ : logic_a_)->setChecked(true);
}

void TMainForm::PlaceFromSettings() {
  app::WindowPlacement p = session_.Settings().MainWindowPlacement();
  // a position left on a screen no longer there would hide the window: the default one
  // of `locate` instead, the size kept
  if (QGuiApplication::screenAt(QPoint(p.left, p.top)) == nullptr) {
    p.left = kDefaultCorner;
    p.top = kDefaultCorner;
  }
  setGeometry(p.left, p.top, p.width, p.height);
}

void TMainForm::Prepare() {
  app::LookUpCompanionFolders(session_.Settings(), session_.Companions());
  session_.Store().PrepareFolders();
  PlaceFromSettings();
  session_.Store().StartErrorLog();
  bet_page_->ShowSplit();
  TickLogic();
  session_.BuildDateList();
  Render();
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  InitJVLink();
}

void TMainForm::InitJVLink() {
  jvlink::JVLink* link = session_.JVLink();
  if (!link) return;
  const int r = link->JVInit(kJVLinkSid);
  if (r != 0) {
    prompts_.Message(QStringLiteral("JVInitエラー：") +
                     FromSjis(jvlink::ResultMessage("JVInit", r)));
  }
}

void TMainForm::closeEvent(QCloseEvent* event) {
  const QRect g = geometry();
  // the close is always allowed: a settings file that cannot be written costs the
  // placement only, and the user is told
  Guarded(session_, [&] {
    session_.Settings().SetMainWindowPlacement({g.top(), g.left(), g.width(), g.height()});
  });
  event->accept();
}

}  // namespace ui
