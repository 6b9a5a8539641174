#include "ui/widgets/sjis_text.h"

#include <exception>

#include "codes/cp932.h"

namespace ui {

QString FromSjis(const std::string& sjis) {
  return QString::fromStdString(codes::SjisToUtf8Lenient(sjis));
}

std::string ToSjis(const QString& text) { return codes::Utf8ToSjis(text.toStdString()); }

std::string SjisMessage(const char* utf8) {
  try {
    return codes::Utf8ToSjis(utf8);
  } catch (const std::exception&) {
    std::string ascii;
    for (const char* p = utf8; *p != '\0'; ++p) {
      const auto byte = static_cast<unsigned char>(*p);
      // Continuation bytes of a UTF-8 character are dropped; its first byte becomes '?'.
      if (byte < 0x80) {
        ascii += *p;
      } else if ((byte & 0xC0) != 0x80) {
        ascii += '?';
      }
    }
    return ascii;
  }
}

QString FromPath(const std::string& path) { return QString::fromStdString(path); }

std::string ToPath(const QString& path) { return path.toStdString(); }

}  // namespace ui
