#include "app/program_folder.h"

#include <unistd.h>

#include <cstdlib>

namespace app {
namespace {

// The system's own folders stay read-only for the program even when run by root.
bool UnderUsr(const std::filesystem::path& folder) {
  const std::filesystem::path normal = folder.lexically_normal();
  auto part = normal.begin();
  return part != normal.end() && *part == "/" && ++part != normal.end() && *part == "usr";
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

bool IsInstalledFolder(const std::filesystem::path& folder) {
  return UnderUsr(folder) || ::access(folder.c_str(), W_OK) != 0;
}

std::optional<std::filesystem::path> DefaultProgramFolder(const ProgramFolderPlace& place) {
  if (!IsInstalledFolder(place.executable_folder)) return place.executable_folder;
  std::filesystem::path data_home = place.xdg_data_home;
  if (!data_home.is_absolute()) {
    if (place.home.empty()) return std::nullopt;
    data_home = std::filesystem::path(place.home) / ".local" / "share";
  }
  return (data_home / "Quorvane").lexically_normal();
}

std::optional<std::filesystem::path> DefaultProgramFolderFor(
    const std::filesystem::path& executable_folder) {
  return DefaultProgramFolder(
      {executable_folder, Environment("XDG_DATA_HOME"), Environment("HOME")});
}

}  // namespace app
