// quorvane-cp932-check.exe: the core's Shift-JIS conversion as built for Windows (the
// system's code page 932 in place of iconv) against the bytes the Linux build gives.
// Prints each disagreement; status 1 when there is one.
#include <cstdio>
#include <string>
#include <vector>

#include "codes/cp932.h"
#include "codes/errors.h"

namespace {

struct Case {
  const char* name;
  std::string utf8;
  std::string sjis;
};

std::string Hex(const std::string& bytes) {
  std::string out;
  char byte[4];
  for (unsigned char c : bytes) {
    std::snprintf(byte, sizeof byte, "%02X ", c);
    out += byte;
  }
  return out;
}

int CheckBothWays(const Case& c) {
  int failures = 0;
  const std::string sjis = codes::Utf8ToSjis(c.utf8);
  if (sjis != c.sjis) {
    std::printf("%s: to Shift-JIS %s, expected %s\n", c.name, Hex(sjis).c_str(), Hex(c.sjis).c_str());
    ++failures;
  }
  const std::string utf8 = codes::SjisToUtf8(c.sjis);
  if (utf8 != c.utf8) {
    std::printf("%s: to UTF-8 %s, expected %s\n", c.name, Hex(utf8).c_str(), Hex(c.utf8).c_str());
    ++failures;
  }
  return failures;
}

template <typename F>
int ExpectInputError(const char* name, F convert) {
  try {
    convert();
  } catch (const codes::InputError&) {
    return 0;
  }
  std::printf("%s: converted, expected an input error\n", name);
  return 1;
}

}  // namespace

int main() {
  const std::vector<Case> cases = {
      {"ascii", "RA2024", "RA2024"},
      {"katakana", "データ", "\x83\x66\x81\x5B\x83\x5E"},
      {"half-width katakana", "ｵｯｽﾞ", "\xB5\xAF\xBD\xDE"},
      {"kanji and digits", "東京11R", "\x93\x8C\x8B\x9E" "11R"},
      {"circled digit", "①", "\x87\x40"},
      {"full-width tilde", "～", "\x81\x60"},
      {"full-width minus", "－", "\x81\x7C"},
      {"ideographic space", "　", "\x81\x40"},
      {"empty", "", ""},
  };
  int failures = 0;
  for (const Case& c : cases) failures += CheckBothWays(c);
  failures += ExpectInputError("lone lead byte", [] { codes::SjisToUtf8("AB\x81"); });
  failures += ExpectInputError("no Shift-JIS form", [] { codes::Utf8ToSjis("\xF0\x9F\x98\x80"); });
  const std::string lenient = codes::SjisToUtf8Lenient("A\x81 B\x83\x66");
  if (lenient != "A? Bデ") {
    std::printf("lenient: %s, expected A? Bデ\n", Hex(lenient).c_str());
    ++failures;
  }
  std::printf("%d disagreement(s)\n", failures);
  return failures == 0 ? 0 : 1;
}
