#include "codes/message_text.h"

#include "codes/cp932.h"
#include "codes/errors.h"

namespace codes {

std::string PrintableAscii(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out) {
    if (c < 0x20 || c > 0x7e) c = '?';
  }
  return out;
}

std::string SjisMessageText(std::string_view utf8) {
  try {
    return Utf8ToSjis(utf8);
  } catch (const InputError&) {
    return PrintableAscii(utf8);
  }
}

}  // namespace codes
