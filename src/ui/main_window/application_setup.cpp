#include "application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "qt_text.h"

namespace ui {

bool PrepareApplication(QApplication& application) {
  // Only the name: a display name would be added to every dialog's caption.
  QApplication::setApplicationName(QStringLiteral("Quorvane"));
  QApplication::setFont(FixedFont(13));
  auto* translator = new QTranslator(&application);
  const bool loaded = translator->load(QStringLiteral("qtbase_ja"),
                                       QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (loaded) {
    QApplication::installTranslator(translator);
  } else {
    delete translator;
  }
  return loaded;
}

}  // namespace ui
