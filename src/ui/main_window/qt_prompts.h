#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/user_prompts.h"

namespace ui {

/// The program's messages with Qt: the default beep, modal message boxes titled
/// "Quorvane" (with the arrow cursor over them while a command shows the busy one), the
/// status label of the window (or of a dialog, by name) and
/// processEvents inside long loops.
///
/// Tests script it instead of answering real boxes: with a Script set, no box opens;
/// every information is noted and every question answered from the script (then No).
class QtPrompts : public platform::UserPrompts {
 public:
  struct Script {
    std::vector<QString> informs;
    std::vector<QString> confirms;
    std::deque<bool> answers;
    int beeps = 0;
    int busy_informs = 0;  ///< informations given while the busy cursor showed
  };
  using StatusSink = std::function<void(const QString& text)>;
  using ProgressSink = std::function<void(int position, int maximum)>;

  /// The window the boxes belong to (may be null).
  void SetParent(QWidget* parent) { parent_ = parent; }
  /// Where the texts for `where` go; an empty name is the main window's status label,
  /// which also takes the texts of names without a sink.
  void SetStatusSink(const std::string& where, StatusSink sink);
  void SetProgressSink(const std::string& where, ProgressSink sink);
  void UseScript(Script* script) { script_ = script; }

  void Beep() override;
  void Inform(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void SetStatus(const std::string& where, const std::string& text) override;
  void SetProgress(const std::string& where, int position, int maximum) override;
  void ProcessEvents() override;

  /// A plain message box (no beep), as JVInit's failure is shown.
  void Message(const QString& text);

 private:
  QPointer<QWidget> parent_;
  Script* script_ = nullptr;
  std::map<std::string, StatusSink> status_sinks_;
  std::map<std::string, ProgressSink> progress_sinks_;
};

}  // namespace ui
