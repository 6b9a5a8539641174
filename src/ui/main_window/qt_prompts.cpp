#include "qt_prompts.h"

#include <QApplication>
#include <QMessageBox>

#include "qt_text.h"

namespace ui {
namespace {

// The arrow over a box that waits for the user, should a command show the busy cursor.
class ArrowWhileAsking {
 public:
  ArrowWhileAsking() : busy_(QApplication::overrideCursor() != nullptr) {
    if (busy_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~ArrowWhileAsking() {
    if (busy_) QApplication::restoreOverrideCursor();
  }
  ArrowWhileAsking(const ArrowWhileAsking&) = delete;
  ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

 private:
  bool busy_;
};

bool BusyCursorShows() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor && (cursor->shape() == Qt::WaitCursor || cursor->shape() == Qt::BusyCursor);
}

}  // namespace

void QtPrompts::SetStatusSink(const std::string& where, StatusSink sink) {
  status_sinks_[where] = std::move(sink);
}

void QtPrompts::SetProgressSink(const std::string& where, ProgressSink sink) {
  progress_sinks_[where] = std::move(sink);
}

void QtPrompts::Beep() {
  if (script_) {
    ++script_->beeps;
    return;
  }
  QApplication::beep();
}

void QtPrompts::Inform(const std::string& text) {
  const QString shown = FromSjis(text);
  if (script_) {
    script_->informs.push_back(shown);
    if (BusyCursorShows()) ++script_->busy_informs;
    return;
  }
  ArrowWhileAsking arrow;
  QMessageBox::information(parent_, QStringLiteral("Quorvane"), shown);
}

bool QtPrompts::Confirm(const std::string& text) {
  const QString shown = FromSjis(text);
  if (script_) {
    script_->confirms.push_back(shown);
    if (script_->answers.empty()) return false;
    const bool answer = script_->answers.front();
    script_->answers.pop_front();
    return answer;
  }
  ArrowWhileAsking arrow;
  return QMessageBox::question(parent_, QStringLiteral("Quorvane"), shown,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtPrompts::SetStatus(const std::string& where, const std::string& text) {
  auto it = status_sinks_.find(where);
  if (it == status_sinks_.end()) it = status_sinks_.find(std::string());
  if (it != status_sinks_.end() && it->second) it->second(FromSjis(text));
}

void QtPrompts::SetProgress(const std::string& where, int position, int maximum) {
  auto it = progress_sinks_.find(where);
  if (it != progress_sinks_.end() && it->second) it->second(position, maximum);
}

void QtPrompts::ProcessEvents() { QCoreApplication::processEvents(); }

void QtPrompts::Message(const QString& text) {
  if (script_) {
    script_->informs.push_back(text);
    return;
  }
  ArrowWhileAsking arrow;
  QMessageBox box(parent_);
  box.setWindowTitle(QStringLiteral("Quorvane"));
  box.setText(text);
  box.exec();
}

}  // namespace ui
