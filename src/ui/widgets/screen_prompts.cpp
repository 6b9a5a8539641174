#include "ui/widgets/screen_prompts.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <algorithm>

#include "ui/widgets/sjis_text.h"

namespace ui {

void MessageBoxPrompts::Beep() { QApplication::beep(); }

void MessageBoxPrompts::Inform(const std::string& text) {
  QMessageBox::information(parent_, QApplication::applicationDisplayName(), FromSjis(text),
                           QMessageBox::Ok);
}

bool MessageBoxPrompts::Confirm(const std::string& text) {
  return QMessageBox::question(parent_, QApplication::applicationDisplayName(), FromSjis(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxPrompts::ProcessEvents() { QCoreApplication::processEvents(); }

void ScreenPrompts::BindLabel(const std::string& where, QLabel* label) { labels_[where] = label; }

void ScreenPrompts::BindBar(const std::string& where, QProgressBar* bar) { bars_[where] = bar; }

void ScreenPrompts::SetStatus(const std::string& where, const std::string& text) {
  const auto found = labels_.find(where);
  if (found == labels_.end()) {
    messages_.SetStatus(where, text);
    return;
  }
  if (found->second) found->second->setText(FromSjis(text));
}

void ScreenPrompts::SetProgress(const std::string& where, int position, int maximum) {
  const auto found = bars_.find(where);
  if (found == bars_.end()) {
    messages_.SetProgress(where, position, maximum);
    return;
  }
  if (QProgressBar* bar = found->second) {
    bar->setMaximum(std::max(maximum, 0));
    bar->setValue(std::clamp(position, 0, std::max(maximum, 0)));
  }
}

void ScreenPrompts::ProcessEvents() { QCoreApplication::processEvents(); }

}  // namespace ui
