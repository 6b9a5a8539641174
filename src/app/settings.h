#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "app/ini_file.h"
#include "jvlink/pull_start_setting.h"
#include "platform/clock.h"

namespace app {

/// A window's place on the screen, in pixels.
struct WindowPlacement {
  int top = 0, left = 0, width = 0, height = 0;
  friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

/// Every setting of the program, one accessor per key and reader, each with that
/// reader's default. Each read goes to the settings file at the moment of use and
/// each write rewrites it at once; nothing is held here but the file's name.
/// Texts are Shift-JIS.
///
/// A number or time outside the range its control in the settings dialog allows (for
/// keys without a control: the range their users can live with) reads as the key's
/// default, and the bad value is reported (the Session writes it to the error log).
class Settings : public jvlink::PullStartSetting {
 public:
  /// Receives "設定値が範囲外のため既定値を使います：[Section]Key=value（lo～hi、既定値d）".
  using BadValueReport = std::function<void(const std::string& message)>;

  /// The desktop program's file is IniFileForExecutable(its path); the CLI's is
  /// Quorvane.ini in the program folder.
  explicit Settings(std::filesystem::path ini_file) : ini_(std::move(ini_file)) {}

  const std::filesystem::path& File() const { return ini_.File(); }
  void SetBadValueReport(BadValueReport report) { report_ = std::move(report); }
  IniFile& Ini() { return ini_; }
  const IniFile& Ini() const { return ini_; }

  // JvDataGet: the start moment of the next stored pull.
  /// The text as stored, default `now` minus 7 days ("yyyy/mm/dd hh:nn:ss").
  std::string LastTimeText(const platform::LocalTime& now) const;
  /// The stored moment; a text that is not such a moment counts as the default.
  platform::LocalTime LastTime(const platform::LocalTime& now) const override;
  void SetLastTime(const platform::LocalTime& t) override;

  // Time/First: the morning odds time "hhmm"; the readers differ in their default.
  /// At day load and when change notices are applied: default "0915".
  std::string FirstForDayLoad() const;
  /// In the settings dialog: default "0945".
  std::string FirstForSettingsDialog() const;
  /// In the time-series import: default "0700".
  std::string FirstForTimeSeries() const;
  /// Writes hour × 100 + minute as four digits ("0915").
  void SetFirst(int hour, int minute);

  /// Minutes between automatic result fetches (default 10).
  int AutoRdataGet() const;
  void SetAutoRdataGet(int minutes);
  /// Kept by the settings dialog only (default 10).
  int AutoOzGet() const;
  void SetAutoOzGet(int minutes);
  /// Minutes between automatic change-notice fetches; 0 or less: off (default 5).
  int HenkoGetInterval() const;

  /// Stake per race in yen (default 3000).
  int DefaultAmount() const;
  /// A stake below 100 yen is stored as 100.
  void SetDefaultAmount(int yen);
  /// Stake split: 0 even, 1 in proportion (default 0).
  int HaibunSet() const;
  void SetHaibunSet(int split);
  /// Selection logic: 1 Logic A, 2 Logic B (default 1).
  int KaimeOption() const;
  void SetKaimeOption(int option);

  // Dir: install and data folders of the companion programs (empty when unknown).
  std::string VelkTohyo2() const;
  /// As the folder choice reads it: the program folder when not set.
  std::string VelkTohyo2Or(const std::string& program_folder) const;
  void SetVelkTohyo2(const std::string& folder);
  std::string VelkTohyo() const;
  void SetVelkTohyo(const std::string& folder);
  std::string Jikeiretu() const;
  /// As the time-series import and the folder choice read it: the program folder
  /// when not set.
  std::string JikeiretuOr(const std::string& program_folder) const;
  void SetJikeiretu(const std::string& folder);

  /// locate: the main window (default 10, 10, 800 × 600).
  WindowPlacement MainWindowPlacement() const;
  void SetMainWindowPlacement(const WindowPlacement& p);
  /// OzGetTimeFormlocate: the settings dialog's top and left (default 10, 100);
  /// width and height are 0.
  WindowPlacement SettingsDialogPosition() const;
  void SetSettingsDialogPosition(int top, int left);
  /// SimFormlocate: the verification window (default 10, 50, 1000 × 700).
  WindowPlacement SimWindowPlacement() const;
  void SetSimWindowPlacement(const WindowPlacement& p);

 private:
  IniFile ini_;
  BadValueReport report_;
};

}  // namespace app
