#include "app/settings.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "codes/cp932.h"

namespace app {
namespace {

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

// A key with its default and the values it may take: those its control in the settings
// dialog or the menu allows; keys without a control get the bounds their users can live
// with (a placement on a screen, a fetch interval of at most a day).
struct IntKey {
  const char* section;
  const char* key;
  int default_value;
  int min;
  int max;
};

// clang-format off
constexpr IntKey kAutoRdataGet  {"Time",     "AutoRdataGet",  10,   5,       59};      // minutes field 5..59
constexpr IntKey kAutoOzGet     {"Time",     "AutoOzGet",     10,   kIntMin, kIntMax}; // kept, never used
constexpr IntKey kHenkoInterval {"Henko",    "GetInterval",    5,   kIntMin, 1440};    // 0 or less: off
constexpr IntKey kDefaultAmount {"KaimeSet", "DefaultAmount", 3000, 100,     999999};  // six digits, >= 100
constexpr IntKey kHaibunSet     {"KaimeSet", "HaibunSet",      0,   0,       1};       // 均等, 比例
constexpr IntKey kKaimeOption   {"Kaime",    "Option",         1,   1,       2};       // ロジックＡ, Ｂ
// clang-format on

constexpr int kCoordinateMin = -32768, kCoordinateMax = 32767;
constexpr int kSizeMin = 1, kSizeMax = 32767;
constexpr int kFirstHour = 9;
constexpr int kMinuteMax = 59;

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

std::string OutOfRangeMessage(const IntKey& k, const std::string& value) {
  return codes::Sj("設定値が範囲外のため既定値を使います：[") + k.section + "]" + k.key + "=" +
         value + codes::Sj("（") + std::to_string(k.min) + codes::Sj("～") +
         std::to_string(k.max) + codes::Sj("、既定値") + std::to_string(k.default_value) +
         codes::Sj("）");
}
void Write(IniFile& ini, const IntKey& k, int value) { ini.WriteInteger(k.section, k.key, value); }


void WritePlacement(IniFile& ini, const PlacementKeys& keys, const WindowPlacement& p) {
  ini.WriteInteger(keys.section, "top", p.top);
  ini.WriteInteger(keys.section, "left", p.left);
  if (keys.has_size) {
    ini.WriteInteger(keys.section, "width", p.width);
    ini.WriteInteger(keys.section, "height", p.height);
  }
}

// "hhmm" as the dialog writes it: hour 9, minute 0..59.
bool IsFirstTime(const std::string& text) {
  return text.size() == 4 && std::all_of(text.begin(), text.end(), [](char c) {
           return c >= '0' && c <= '9';
         }) && std::stoi(text.substr(0, 2)) == kFirstHour && std::stoi(text.substr(2)) <= kMinuteMax;
}

void Report(const Settings::BadValueReport& report, const std::string& message) {
  if (report) report(message);
}

// The key's value when it lies in its range, else (reported) its default.
int Read(const IniFile& ini, const Settings::BadValueReport& report, const IntKey& k) {
  const int value = ini.ReadInteger(k.section, k.key, k.default_value);
  if (value >= k.min && value <= k.max) return value;
  Report(report, OutOfRangeMessage(k, std::to_string(value)));
  return k.default_value;
}

std::string ReadFirst(const IniFile& ini, const Settings::BadValueReport& report,
                      const char* default_value) {
  std::string text = ini.ReadString(kTime, kFirst, default_value);
  if (text == default_value || IsFirstTime(text)) return text;
  Report(report, codes::Sj("設定値が範囲外のため既定値を使います：[Time]First=") + text +
                     codes::Sj("（0900～0959、既定値") + default_value + codes::Sj("）"));
  return default_value;
}

WindowPlacement ReadPlacement(const IniFile& ini, const Settings::BadValueReport& report,
                              const PlacementKeys& keys) {
  const WindowPlacement& d = keys.default_value;
  auto read = [&](const char* key, int fallback, int lo, int hi) {
    return Read(ini, report, IntKey{keys.section, key, fallback, lo, hi});
  };
  WindowPlacement p;
  p.top = read("top", d.top, kCoordinateMin, kCoordinateMax);
  p.left = read("left", d.left, kCoordinateMin, kCoordinateMax);
  if (keys.has_size) {
    p.width = read("width", d.width, kSizeMin, kSizeMax);
    p.height = read("height", d.height, kSizeMin, kSizeMax);
  }
  return p;
}

}  // namespace

std::string Settings::LastTimeText(const platform::LocalTime& now) const {
  return ini_.ReadString(kJvDataGet, kLastTimeKey,
                         platform::FormatLocalTime(platform::AddSeconds(now, -kLastTimeLookBack)));
}

platform::LocalTime Settings::LastTime(const platform::LocalTime& now) const {
  platform::LocalTime t;
  const std::string text = LastTimeText(now);
  if (platform::ParseLocalTime(text.c_str(), t)) return t;
  const platform::LocalTime fallback = platform::AddSeconds(now, -kLastTimeLookBack);
  Report(report_, codes::Sj("設定値が範囲外のため既定値を使います：[JvDataGet]LastTime=") + text +
                      codes::Sj("（既定値") + platform::FormatLocalTime(fallback) +
                      codes::Sj("）"));
  return fallback;
}

void Settings::SetLastTime(const platform::LocalTime& t) {
  ini_.WriteString(kJvDataGet, kLastTimeKey, platform::FormatLocalTime(t));
}

std::string Settings::FirstForDayLoad() const { return ReadFirst(ini_, report_, "0915"); }
std::string Settings::FirstForSettingsDialog() const { return ReadFirst(ini_, report_, "0945"); }
std::string Settings::FirstForTimeSeries() const { return ReadFirst(ini_, report_, "0700"); }

void Settings::SetFirst(int hour, int minute) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", hour * 100 + minute);
  ini_.WriteString(kTime, kFirst, text);
}

int Settings::AutoRdataGet() const { return Read(ini_, report_, kAutoRdataGet); }
void Settings::SetAutoRdataGet(int minutes) { Write(ini_, kAutoRdataGet, minutes); }
int Settings::AutoOzGet() const { return Read(ini_, report_, kAutoOzGet); }
void Settings::SetAutoOzGet(int minutes) { Write(ini_, kAutoOzGet, minutes); }
int Settings::HenkoGetInterval() const { return Read(ini_, report_, kHenkoInterval); }

int Settings::DefaultAmount() const { return Read(ini_, report_, kDefaultAmount); }
void Settings::SetDefaultAmount(int yen) {
  Write(ini_, kDefaultAmount, std::max(yen, kMinimumStake));
}
int Settings::HaibunSet() const { return Read(ini_, report_, kHaibunSet); }
void Settings::SetHaibunSet(int split) { Write(ini_, kHaibunSet, split); }
int Settings::KaimeOption() const { return Read(ini_, report_, kKaimeOption); }
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

WindowPlacement Settings::MainWindowPlacement() const { return ReadPlacement(ini_, report_, kMainWindow); }
void Settings::SetMainWindowPlacement(const WindowPlacement& p) {
  WritePlacement(ini_, kMainWindow, p);
}
WindowPlacement Settings::SettingsDialogPosition() const {
  return ReadPlacement(ini_, report_, kSettingsDialog);
}
void Settings::SetSettingsDialogPosition(int top, int left) {
  WritePlacement(ini_, kSettingsDialog, {top, left, 0, 0});
}
WindowPlacement Settings::SimWindowPlacement() const { return ReadPlacement(ini_, report_, kSimWindow); }
void Settings::SetSimWindowPlacement(const WindowPlacement& p) {
  WritePlacement(ini_, kSimWindow, p);
}

}  // namespace app
