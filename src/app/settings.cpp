#include "app/settings.h"

#include <algorithm>
#include <cstdio>

namespace app {
namespace {

struct IntKey {
  const char* section;
  const char* key;
  int default_value;
};

// clang-format off
constexpr IntKey kAutoRdataGet    {"Time",     "AutoRdataGet",  10};
constexpr IntKey kAutoOzGet       {"Time",     "AutoOzGet",     10};
constexpr IntKey kHenkoInterval   {"Henko",    "GetInterval",    5};
constexpr IntKey kDefaultAmount   {"KaimeSet", "DefaultAmount", 3000};
constexpr IntKey kHaibunSet       {"KaimeSet", "HaibunSet",      0};
constexpr IntKey kKaimeOption     {"Kaime",    "Option",         1};
// clang-format on

constexpr int kMinimumStake = 100;
constexpr long long kLastTimeLookBack = 7LL * 24 * 60 * 60;

constexpr const char* kJvDataGet = "JvDataGet";
constexpr const char* kLastTimeKey = "LastTime";
constexpr const char* kTime = "Time";
constexpr const char* kFirst = "First";
constexpr const char* kDir = "Dir";

// A window's placement: its section and the default of each of its keys.
struct PlacementKeys {
  const char* section;
  WindowPlacement default_value;
  bool has_size;
};

constexpr PlacementKeys kMainWindow{"locate", {10, 10, 800, 600}, true};
constexpr PlacementKeys kSettingsDialog{"OzGetTimeFormlocate", {10, 100, 0, 0}, false};
constexpr PlacementKeys kSimWindow{"SimFormlocate", {10, 50, 1000, 700}, true};

int Read(const IniFile& ini, const IntKey& k) {
  return ini.ReadInteger(k.section, k.key, k.default_value);
}
void Write(IniFile& ini, const IntKey& k, int value) { ini.WriteInteger(k.section, k.key, value); }

WindowPlacement ReadPlacement(const IniFile& ini, const PlacementKeys& keys) {
  const WindowPlacement& d = keys.default_value;
  WindowPlacement p;
  p.top = ini.ReadInteger(keys.section, "top", d.top);
  p.left = ini.ReadInteger(keys.section, "left", d.left);
  if (keys.has_size) {
    p.width = ini.ReadInteger(keys.section, "width", d.width);
    p.height = ini.ReadInteger(keys.section, "height", d.height);
  }
  return p;
}

void WritePlacement(IniFile& ini, const PlacementKeys& keys, const WindowPlacement& p) {
  ini.WriteInteger(keys.section, "top", p.top);
  ini.WriteInteger(keys.section, "left", p.left);
  if (keys.has_size) {
    ini.WriteInteger(keys.section, "width", p.width);
    ini.WriteInteger(keys.section, "height", p.height);
  }
}

}  // namespace

std::string Settings::LastTimeText(const platform::LocalTime& now) const {
  return ini_.ReadString(kJvDataGet, kLastTimeKey,
                         platform::FormatLocalTime(platform::AddSeconds(now, -kLastTimeLookBack)));
}

platform::LocalTime Settings::LastTime(const platform::LocalTime& now) const {
  platform::LocalTime t;
  if (platform::ParseLocalTime(LastTimeText(now).c_str(), t)) return t;
  return platform::AddSeconds(now, -kLastTimeLookBack);
}

void Settings::SetLastTime(const platform::LocalTime& t) {
  ini_.WriteString(kJvDataGet, kLastTimeKey, platform::FormatLocalTime(t));
}

std::string Settings::FirstForDayLoad() const { return ini_.ReadString(kTime, kFirst, "0915"); }
std::string Settings::FirstForSettingsDialog() const {
  return ini_.ReadString(kTime, kFirst, "0945");
}
std::string Settings::FirstForTimeSeries() const { return ini_.ReadString(kTime, kFirst, "0700"); }

void Settings::SetFirst(int hour, int minute) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", hour * 100 + minute);
  ini_.WriteString(kTime, kFirst, text);
}

int Settings::AutoRdataGet() const { return Read(ini_, kAutoRdataGet); }
void Settings::SetAutoRdataGet(int minutes) { Write(ini_, kAutoRdataGet, minutes); }
int Settings::AutoOzGet() const { return Read(ini_, kAutoOzGet); }
void Settings::SetAutoOzGet(int minutes) { Write(ini_, kAutoOzGet, minutes); }
int Settings::HenkoGetInterval() const { return Read(ini_, kHenkoInterval); }

int Settings::DefaultAmount() const { return Read(ini_, kDefaultAmount); }
void Settings::SetDefaultAmount(int yen) {
  Write(ini_, kDefaultAmount, std::max(yen, kMinimumStake));
}
int Settings::HaibunSet() const { return Read(ini_, kHaibunSet); }
void Settings::SetHaibunSet(int split) { Write(ini_, kHaibunSet, split); }
int Settings::KaimeOption() const { return Read(ini_, kKaimeOption); }
void Settings::SetKaimeOption(int option) { Write(ini_, kKaimeOption, option); }

std::string Settings::VelkTohyo2() const { return ini_.ReadString(kDir, "VelkTohyo2", ""); }
std::string Settings::VelkTohyo2Or(const std::string& program_folder) const {
  return ini_.ReadString(kDir, "VelkTohyo2", program_folder);
}
void Settings::SetVelkTohyo2(const std::string& folder) {
  ini_.WriteString(kDir, "VelkTohyo2", folder);
}
std::string Settings::VelkTohyo() const { return ini_.ReadString(kDir, "VelkTohyo", ""); }
void Settings::SetVelkTohyo(const std::string& folder) { ini_.WriteString(kDir, "VelkTohyo", folder); }
std::string Settings::Jikeiretu() const { return ini_.ReadString(kDir, "jikeiretu", ""); }
std::string Settings::JikeiretuOr(const std::string& program_folder) const {
  return ini_.ReadString(kDir, "jikeiretu", program_folder);
}
void Settings::SetJikeiretu(const std::string& folder) { ini_.WriteString(kDir, "jikeiretu", folder); }

WindowPlacement Settings::MainWindowPlacement() const { return ReadPlacement(ini_, kMainWindow); }
void Settings::SetMainWindowPlacement(const WindowPlacement& p) {
  WritePlacement(ini_, kMainWindow, p);
}
WindowPlacement Settings::SettingsDialogPosition() const {
  return ReadPlacement(ini_, kSettingsDialog);
}
void Settings::SetSettingsDialogPosition(int top, int left) {
  WritePlacement(ini_, kSettingsDialog, {top, left, 0, 0});
}
WindowPlacement Settings::SimWindowPlacement() const { return ReadPlacement(ini_, kSimWindow); }
void Settings::SetSimWindowPlacement(const WindowPlacement& p) {
  WritePlacement(ini_, kSimWindow, p);
}

}  // namespace app
