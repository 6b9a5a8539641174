#pragma once

class QApplication;

namespace ui {

/// The application as the program runs it: named "Quorvane" (the main window's caption;
/// every dialog keeps its own caption alone, with no name added after it), the fixed
/// Japanese face, and Qt's own Japanese texts for the standard buttons (はい, いいえ,
/// キャンセル) where the system has them. False when those texts were not found: the
/// buttons then read as Qt's defaults.
bool PrepareApplication(QApplication& application);

}  // namespace ui
