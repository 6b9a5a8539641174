#include "app/settings_companion_lookup.h"

#include <filesystem>
#include <string_view>

#include "codes/cp932.h"

namespace app {
namespace {

// Trimmed as the system trims: every byte up to the space counts as blank.
std::string_view Trimmed(std::string_view s) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

struct Companion {
  const char* key;            // under "Dir"
  const char* uninstall_key;  // UTF-8; handed to the locator in Shift-JIS
  bool data_subfolder;
};

// clang-format off
constexpr Companion kCompanions[] = {
    {"VelkTohyo2", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velk投票プラグイン２_is1", false},
    {"VelkTohyo",  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velk投票プラグイン_is1",  false},
    {"jikeiretu",  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessaly_is1",            true},
};
// clang-format on

}  // namespace

void LookUpCompanionFolders(Settings& settings, const platform::CompanionLocator& locator) {
  IniFile& ini = settings.Ini();
  for (const Companion& c : kCompanions) {
    if (!Trimmed(ini.ReadString("Dir", c.key, "")).empty()) continue;
    const std::string found(Trimmed(locator.InstallFolder(codes::Sj(c.uninstall_key))));
    if (found.empty()) continue;
    std::string folder = found;
    if (c.data_subfolder) {
      folder += static_cast<char>(std::filesystem::path::preferred_separator);
      folder += "Data";
    }
    ini.WriteString("Dir", c.key, folder);
  }
}

}  // namespace app
