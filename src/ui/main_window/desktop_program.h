#pragma once

#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/jvlink_choice.h"
#include "app/live_fetches.h"
#include "app/race_day_schedules.h"
#include "app/session.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/shared_stream.h"
#include "main_form.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "qt_prompts.h"

namespace ui {

/// The command line of the program: `quorvane [--home DIR] [--day yyyy年mm月dd日]`.
struct StartOptions {
  std::filesystem::path home;  ///< the ProgramFolder; the executable's folder by default
  std::string day;             ///< Shift-JIS DayPrefix to open at start; empty: none
};

/// The options of `arguments` (without the program name); nullopt and `error` set when
/// they are not understood.
std::optional<StartOptions> ParseStartOptions(const QStringList& arguments,
                                              const std::filesystem::path& executable_folder,
                                              QString& error);

/// The running program: the platform's ports, the JV-Link that [JVLink] of the settings
/// file chooses (the feed folder of the program folder by default, or a host program),
/// the Session and the main window, made in this order and ended in the reverse one.
class DesktopProgram {
 public:
  /// Starts the program in `home`: JV-Link must be present (with the feed chosen, the feed
  /// folder "feed" of the program folder); without it the beep and the message, and null.
  /// A host's JV-Link is started on first use; while it answers, window messages run. The main window is
  /// made and prepared but not shown. A start that fails (a folder that cannot be made)
  /// shows its message and gives null too.
  static std::unique_ptr<DesktopProgram> Start(const std::filesystem::path& home,
                                               QtPrompts& prompts,
                                               TMainForm::DialogCommands commands = {});
  ~DesktopProgram();

  TMainForm& Window() { return *window_; }
  app::Session& Session() { return *session_; }
  jvlink::JVLink& JVLink() { return *chosen_.link; }
  /// The feed folder's JV-Link when it is the one chosen, else null.
  jvlink::FeedJVLink* FeedLink() { return dynamic_cast<jvlink::FeedJVLink*>(chosen_.link.get()); }

 private:
  DesktopProgram() = default;
  /// A start that failed: a folder that cannot be made is named in Japanese (the system's
  /// words go to ErrorLog.txt); anything else is shown as it is.
  void ReportFailedStart(const std::exception& error);

  platform::SystemClock clock_;
  platform::ProcessLauncher launcher_;
  platform::NoCompanionLocator companions_;
  app::ChosenJVLink chosen_;
  std::unique_ptr<jvlink::SharedStream> stream_;  ///< the pull and the fetches share it
  std::unique_ptr<app::Session> session_;
  std::unique_ptr<app::LiveFetches> fetches_;
  std::unique_ptr<app::RaceDaySchedules> schedules_;
  std::unique_ptr<TMainForm> window_;
};

/// The feed folder that stands for JV-Link in a program folder.
std::filesystem::path FeedFolderOf(const std::filesystem::path& home);

}  // namespace ui
