#include "ui/widgets/sjis_text.h"

#include "codes/cp932.h"

namespace ui {

QString FromSjis(const std::string& sjis) {
  return QString::fromStdString(codes::SjisToUtf8Lenient(sjis));
}

std::string ToSjis(const QString& text) { return codes::Utf8ToSjis(text.toStdString()); }

QString FromPath(const std::string& path) { return QString::fromStdString(path); }

std::string ToPath(const QString& path) { return path.toStdString(); }

}  // namespace ui
