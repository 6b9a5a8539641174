#include "dialog_commands.h"

#include "ui/dialogs/folder_choices.h"
#include "ui/dialogs/get_data_form.h"
#include "ui/dialogs/manual_opener.h"
#include "ui/dialogs/oz_get_time_form.h"
#include "ui/dialogs/version_box.h"
#include "ui/verify/sim_form.h"
#include "ui/widgets/sjis_text.h"

namespace ui {
namespace {

void OpenDataPull(TMainForm& window) {
  app::Session& session = window.Session();
  if (!session.JVLink()) return;
  TGetDataForm form(*session.JVLink(), window.Prompts(), session.Settings(), session.TheClock(),
                    session.Store(), &window);
  form.setOnClosed([&window] { window.RebuildDateList(); });
  form.exec();
}

void OpenSettings(TMainForm& window) {
  TOzGetTimeForm form(window.Session().Settings(), window.Prompts(), &window);
  // new settings take effect on the race shown at once
  if (form.exec() == QDialog::Accepted) window.ShowRaceAgain();
}

void ChooseFolderOf(TMainForm& window, FolderChoice choice) {
  app::Session& session = window.Session();
  ChooseFolder(choice, session.Settings(), session.Store().ProgramFolder().string(),
               window.Prompts(), PickerAsker(&window));
}

// The verification window: made at the first "出力" and kept with the main window, which
// shows the last day and race of each export.
void OpenVerification(TMainForm& window) {
  auto* form = window.findChild<ui::verify::TSimForm*>();
  if (!form) {
    form = new ui::verify::TSimForm(window.Session(), &window);
    QObject::connect(
        form, &ui::verify::TSimForm::ExportFinished, &window,
        [&window](const QString& day, int item) { window.ShowDayAndRace(ToSjis(day), item); });
  }
  form->ShowForm();
}

}  // namespace

TMainForm::DialogCommands MakeDialogCommands() {
  TMainForm::DialogCommands commands;
  commands.DataPull = OpenDataPull;
  commands.Settings = OpenSettings;
  commands.TimeSeriesFolder = [](TMainForm& w) { ChooseFolderOf(w, FolderChoice::kTimeSeries); };
  commands.PluginFolder = [](TMainForm& w) { ChooseFolderOf(w, FolderChoice::kVelkTohyo2); };
  commands.Version = [](TMainForm& w) { VersionBox(&w).exec(); };
  commands.Verification = OpenVerification;
  commands.Manual = [](TMainForm& w) {
    app::Session& session = w.Session();
    OpenManual(ManualFolder(session.Store().ProgramFolder(), InstalledManualFolder()),
               DocumentViewer(), session.TheLauncher(), w.Prompts());
  };
  return commands;
}

}  // namespace ui
