#include "ui/dialogs/manual_opener.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <algorithm>
#include <system_error>

#include "codes/cp932.h"

namespace ui {

bool OpenManual(const std::filesystem::path& program_folder, const std::string& viewer,
                platform::Launcher& launcher, platform::UserPrompts& prompts) {
  return OpenManual(std::vector<std::filesystem::path>{program_folder}, viewer, launcher, prompts);
}

bool OpenManual(const std::vector<std::filesystem::path>& folders, const std::string& viewer,
                platform::Launcher& launcher, platform::UserPrompts& prompts) {
  const auto holds_manual = [](const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / kManualFileName, error);
  };
  const auto found = std::find_if(folders.begin(), folders.end(), holds_manual);
  if (found == folders.end()) {
    prompts.Beep();
    prompts.Inform(codes::Sj("使用解説書[Quorvane.pdf]が見つかりません。"));
    return false;
  }
  const std::filesystem::path manual = *found / kManualFileName;
  if (viewer.empty() || !launcher.Open(viewer, manual.string())) {
    prompts.Beep();
    prompts.Inform(codes::Sj("使用解説書[Quorvane.pdf]を開けません。"));
    return false;
  }
  return true;
}

std::filesystem::path ManualFolder(const std::filesystem::path& program_folder,
                                   const std::filesystem::path& installed_folder) {
  std::error_code error;
  if (std::filesystem::is_regular_file(program_folder / kManualFileName, error)) {
    return program_folder;
  }
  if (std::filesystem::is_regular_file(installed_folder / kManualFileName, error)) {
    return installed_folder;
  }
  return program_folder;
}

std::filesystem::path InstalledManualFolder() {
  const std::filesystem::path bin = QCoreApplication::applicationDirPath().toStdString();
  return (bin.parent_path() / "share" / "quorvane").lexically_normal();
}

std::string DocumentViewer() { return QStandardPaths::findExecutable("xdg-open").toStdString(); }

}  // namespace ui
