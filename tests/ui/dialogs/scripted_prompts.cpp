#include "scripted_prompts.h"

#include <QCoreApplication>

#include "ui/widgets/sjis_text.h"

namespace uitest {

void ScriptedPrompts::Inform(const std::string& text) { informs << ui::FromSjis(text); }

bool ScriptedPrompts::Confirm(const std::string& text) {
  confirms << ui::FromSjis(text);
  if (answers_.empty()) return true;
  const bool yes = answers_.front();
  answers_.pop_front();
  return yes;
}

void ScriptedPrompts::SetStatus(const std::string& where, const std::string& text) {
  statuses << QString::fromStdString(where) + ": " + ui::FromSjis(text);
}

void ScriptedPrompts::ProcessEvents() { QCoreApplication::processEvents(); }

}  // namespace uitest
