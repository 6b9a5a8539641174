// quorvane: the desktop program.

#include <unistd.h>

#include <QApplication>
#include <QStringList>
#include <clocale>
#include <filesystem>
#include <iostream>

#include "application_setup.h"
#include "app/program_folder.h"
#include "desktop_program.h"
#include "dialog_commands.h"
#include "first_start.h"
#include "platform/memory_reuse.h"

namespace {

std::filesystem::path ExecutableFolder(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0);
  return self.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  platform::KeepFreedMemoryForReuse();
  QApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  ui::PrepareApplication(application);

  QString error;
  // an installed program keeps its data in the user's data folder, made at its first start
  const auto home = app::DefaultProgramFolderFor(ExecutableFolder(argv[0]));
  const auto options = ui::ParseStartOptions(QApplication::arguments().mid(1),
                                             home.value_or(std::filesystem::path()), error);
  if (!options) {
    std::cerr << "quorvane: " << error.toStdString()
              << "\nusage: quorvane [--home DIR] [--day yyyy年mm月dd日]\n";
    return 2;
  }
  std::error_code ec;
  if (options->home.empty() || (std::filesystem::create_directories(options->home, ec), ec)) {
    std::cerr << "quorvane: no program folder"
              << (options->home.empty() ? ": HOME is not set" : " " + options->home.string())
              << "; give one with --home DIR\n";
    return 1;
  }
  std::filesystem::current_path(options->home, ec);  // the program folder is the current one

  ui::QtPrompts prompts;
  auto program = ui::StartShown(options->home, prompts, ui::MakeDialogCommands(),
                                ui::SampleOfferFromEnvironment());
  if (!program) return 1;
  if (!options->day.empty()) program->Window().ChooseDate(options->day);
  return QApplication::exec();
}
