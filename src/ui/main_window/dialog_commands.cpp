#include "dialog_commands.h"

#include <QCoreApplication>

#include "app/live_fetches.h"
#include "jvlink/realtime_fetch.h"
#include "jvlink/shared_stream.h"
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
  // One stream at a time: opened over a real-time fetch that reads, the pull would be
  // refused with -202 and its close step would close the fetch's stream.
  const auto* stream = dynamic_cast<const jvlink::SharedStream*>(session.JVLink());
  if (stream && stream->Held()) {
    window.Prompts().SetStatus(jvlink::RealtimeFetch::kStatusLabel, app::LiveFetches::BusyText());
    return;
  }
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

void OpenVerification(TMainForm& window) { VerificationWindowOf(window).ShowForm(); }

}  // namespace

verify::TSimForm& VerificationWindowOf(TMainForm& window) {
  auto* form = window.findChild<verify::TSimForm*>();
  if (!form) {
    form = new verify::TSimForm(window.Session(), &window);
    QObject::connect(
        form, &verify::TSimForm::ExportFinished, &window,
        [&window](const QString& day, int item) { window.ShowDayAndRace(ToSjis(day), item); });
  }
  return *form;
}

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
    // the program folder first; then beside the executable, which --home may leave
    // elsewhere; then where an installed program keeps its manual
    const std::vector<std::filesystem::path> folders{
        session.Store().ProgramFolder(), ToPath(QCoreApplication::applicationDirPath()),
        InstalledManualFolder()};
    OpenManual(folders, DocumentViewer(), session.TheLauncher(), w.Prompts());
  };
  return commands;
}

}  // namespace ui
