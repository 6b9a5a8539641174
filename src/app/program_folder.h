#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace app {

/// What decides where a program keeps its data when no --home is given.
struct ProgramFolderPlace {
  std::filesystem::path executable_folder;
  std::string xdg_data_home;  ///< $XDG_DATA_HOME as set (empty when unset)
  std::string home;           ///< $HOME as set (empty when unset)
};

/// The program folder of a program run without --home. A program run from a folder its
/// user may write to (a build folder, an unpacked copy) keeps Data/, CHG/, Kaime/, csv/,
/// ErrorLog.txt, Quorvane.ini and feed/ beside itself. An installed one (under /usr, or
/// in any folder that cannot be written) keeps them in $XDG_DATA_HOME/Quorvane, by
/// default ~/.local/share/Quorvane. A relative $XDG_DATA_HOME is ignored, as the base
/// directory rules ask. nullopt when the program is installed and there is no home
/// folder to put the data in.
std::optional<std::filesystem::path> DefaultProgramFolder(const ProgramFolderPlace& place);

/// DefaultProgramFolder of a program in `executable_folder`, with this process's
/// environment.
std::optional<std::filesystem::path> DefaultProgramFolderFor(
    const std::filesystem::path& executable_folder);

/// True when a program in `folder` cannot keep its data beside itself.
bool IsInstalledFolder(const std::filesystem::path& folder);

}  // namespace app
