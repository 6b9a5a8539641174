#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/launcher.h"
#include "platform/user_prompts.h"

namespace ui {

/// The manual's file name, beside the executable.
inline constexpr const char* kManualFileName = "Quorvane.pdf";

/// "ヘルプ" / "使用解説書(&C)": opens ProgramFolder/Quorvane.pdf with the system's
/// document viewer (`viewer`, started through `launcher` with the file as its
/// parameter). A missing file: beep and "使用解説書[Quorvane.pdf]が見つかりません。";
/// a viewer that does not start: beep and "使用解説書[Quorvane.pdf]を開けません。".
/// True when the viewer was started.
bool OpenManual(const std::filesystem::path& program_folder, const std::string& viewer,
                platform::Launcher& launcher, platform::UserPrompts& prompts);

/// The same, the manual taken from the first of `folders` that holds it: the program
/// folder, then the executable's folder, which differ when the program runs with --home.
/// The messages are those above.
bool OpenManual(const std::vector<std::filesystem::path>& folders, const std::string& viewer,
                platform::Launcher& launcher, platform::UserPrompts& prompts);
/// Where "ヘルプ" finds the manual: the program folder when it holds Quorvane.pdf, else
/// `installed_folder` when that does (an installed program keeps its data in the user's
/// folder and its manual in the system's), else the program folder (which then reports
/// the manual missing).
std::filesystem::path ManualFolder(const std::filesystem::path& program_folder,
                                   const std::filesystem::path& installed_folder);

/// The manual's folder of an installed program: share/quorvane beside its bin/.
std::filesystem::path InstalledManualFolder();

/// The document viewer of this desktop (xdg-open found on the PATH); empty when none.
std::string DocumentViewer();

}  // namespace ui
