// quorvane: the desktop program.

#include <unistd.h>

#include <QApplication>
#include <QStringList>
#include <clocale>
#include <filesystem>
#include <iostream>

#include "application_setup.h"
#include "desktop_program.h"
#include "dialog_commands.h"
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
  const auto options =
      ui::ParseStartOptions(QApplication::arguments().mid(1), ExecutableFolder(argv[0]), error);
  if (!options) {
    std::cerr << "quorvane: " << error.toStdString()
              << "\nusage: quorvane [--home DIR] [--day yyyy年mm月dd日]\n";
    return 2;
  }
  std::error_code ec;
  std::filesystem::current_path(options->home, ec);  // the program folder is the current one

  ui::QtPrompts prompts;
  auto program = ui::DesktopProgram::Start(options->home, prompts, ui::MakeDialogCommands());
  if (!program) return 1;
  program->Window().show();
  if (!options->day.empty()) program->Window().ChooseDate(options->day);
  return QApplication::exec();
}
