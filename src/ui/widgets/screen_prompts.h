#pragma once

#include <QPointer>
#include <map>
#include <string>

#include "platform/user_prompts.h"

class QLabel;
class QProgressBar;
class QWidget;

namespace ui {

/// The prompts as message boxes over `parent`, captioned with the application's
/// name: a system beep, an information box with OK, a Yes/No question. Status texts
/// and bars named by the core have no place here and are dropped; ProcessEvents lets
/// Qt's pending events run.
class MessageBoxPrompts : public platform::UserPrompts {
 public:
  explicit MessageBoxPrompts(QWidget* parent) : parent_(parent) {}
  void Beep() override;
  void Inform(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void SetStatus(const std::string&, const std::string&) override {}
  void SetProgress(const std::string&, int, int) override {}
  void ProcessEvents() override;

 private:
  QPointer<QWidget> parent_;
};

/// A window's own labels and bars behind the prompts: SetStatus and SetProgress
/// reach the label or bar bound to their name (others go on to `messages`); beeps,
/// information dialogs and questions go to `messages`; ProcessEvents lets Qt's
/// pending events run, so a long loop keeps the window responsive.
class ScreenPrompts : public platform::UserPrompts {
 public:
  explicit ScreenPrompts(platform::UserPrompts& messages) : messages_(messages) {}

  void BindLabel(const std::string& where, QLabel* label);
  void BindBar(const std::string& where, QProgressBar* bar);

  void Beep() override { messages_.Beep(); }
  void Inform(const std::string& text) override { messages_.Inform(text); }
  bool Confirm(const std::string& text) override { return messages_.Confirm(text); }
  void SetStatus(const std::string& where, const std::string& text) override;
  void SetProgress(const std::string& where, int position, int maximum) override;
  void ProcessEvents() override;

 private:
  platform::UserPrompts& messages_;
  std::map<std::string, QPointer<QLabel>> labels_;
  std::map<std::string, QPointer<QProgressBar>> bars_;
};

}  // namespace ui
