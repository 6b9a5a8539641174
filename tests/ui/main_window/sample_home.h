#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <string>

#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "app/session.h"
#include "platform/silent_prompts.h"

namespace uitest {

/// A fresh folder under the temporary folder, removed with its contents at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

/// A program folder with a sample feed of nine days (from Saturday 4 May 2024) in its
/// "feed" folder, pulled with final odds into its data folder; made once per test program.
/// Its settings file is removed, so each test starts from the defaults.
const std::filesystem::path& SampleHome();
void ResetSettings();

/// The engine alone over the sample home: what the window must show, computed without it.
struct Reference {
  explicit Reference(const std::filesystem::path& home);
  /// Loads the day and shows race-list item `item`.
  void Show(const std::string& day, int item);

  platform::FixedClock clock{{2024, 6, 1, 10, 0, 0}};
  platform::SilentPrompts prompts;
  platform::ProcessLauncher launcher;
  platform::NoCompanionLocator companions;
  app::Session session;
};

/// Shift-JIS as the screen shows it.
QString Text(const std::string& sjis);

/// The child of `parent` named `name`; a missing one ends the test program.
template <class T>
T* Child(const QObject& parent, const char* name) {
  T* child = parent.findChild<T*>(QString::fromLatin1(name));
  if (!child) qFatal("no child %s", name);
  return child;
}

}  // namespace uitest
