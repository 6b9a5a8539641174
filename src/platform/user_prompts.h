#pragma once

#include <string>

namespace platform {

/// What the program shows the user and asks of them. All texts are Shift-JIS.
/// The desktop implements it with message boxes; the CLI prints to standard error;
/// tests record every call.
class UserPrompts {
 public:
  virtual ~UserPrompts() = default;

  /// The default beep that comes before every failure message.
  virtual void Beep() = 0;
  /// A modal information dialog with an OK button.
  virtual void Inform(const std::string& text) = 0;
  /// A modal Yes/No question; true for Yes.
  virtual bool Confirm(const std::string& text) = 0;
  /// The main window's status label (or a dialog's own label, named by `where`).
  virtual void SetStatus(const std::string& where, const std::string& text) = 0;
  /// A progress bar, named by `where`, at `position` of `maximum`.
  virtual void SetProgress(const std::string& where, int position, int maximum) = 0;
  /// Lets pending window messages run (timers, buttons) inside a long loop.
  virtual void ProcessEvents() = 0;
};

}  // namespace platform
