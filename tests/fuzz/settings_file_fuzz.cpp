// The settings file as a user may leave it: every reader gives a value in its range
// (or its default) and nothing else happens.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/settings.h"
#include "platform/clock.h"

namespace {

std::filesystem::path IniPath() {
  static const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                            ("quorvane-fuzz-" + std::to_string(getpid()) + ".ini");
  return path;
}

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(IniPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  app::Settings settings(IniPath());
  int reports = 0;
  settings.SetBadValueReport([&](const std::string&) { ++reports; });
  const int amount = settings.DefaultAmount();
  Check(amount >= 100 && amount <= 999999);
  const int minutes = settings.AutoRdataGet();
  Check(minutes >= 5 && minutes <= 59);
  Check(settings.HaibunSet() == 0 || settings.HaibunSet() == 1);
  Check(settings.KaimeOption() == 1 || settings.KaimeOption() == 2);
  Check(settings.HenkoGetInterval() <= 1440);
  const std::string first = settings.FirstForDayLoad();
  Check(first.size() == 4);
  const app::WindowPlacement place = settings.MainWindowPlacement();
  Check(place.width >= 1 && place.height >= 1);
  settings.SimWindowPlacement();
  settings.SettingsDialogPosition();
  settings.LastTime(platform::LocalTime{2024, 5, 18, 9, 0, 0});
  settings.VelkTohyo2();
  settings.JikeiretuOr("/home");
  settings.AutoOzGet();
  return 0;
}
