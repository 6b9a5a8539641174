#include "codes/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

#include "codes/errors.h"

namespace codes {
namespace {

// iconv descriptors are opened once per direction; iconv itself keeps state per
// descriptor, so each call resets it and holds the lock while converting.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw InputError(std::string("text conversion ") + from + " -> " + to +
                       " is not available on this system");
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::string Convert(std::string_view in, bool lenient) {
    std::lock_guard lock(mutex_);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.resize(in.size() * 2 + 8);
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char* dst = out.data();
    size_t dst_left = out.size();
    while (src_left > 0) {
      size_t r = iconv(cd_, &src, &src_left, &dst, &dst_left);
      if (r != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        size_t used = static_cast<size_t>(dst - out.data());
        out.resize(out.size() * 2);
        dst = out.data() + used;
        dst_left = out.size() - used;
        continue;
      }
      if (!lenient) {
        throw InputError("text cannot be converted at byte " +
                         std::to_string(in.size() - src_left) + ": \"" +
                         std::string(in.substr(0, 40)) + "\"");
      }
      if (dst_left == 0) {
        size_t used = static_cast<size_t>(dst - out.data());
        out.resize(out.size() * 2);
        dst = out.data() + used;
        dst_left = out.size() - used;
      }
      *dst++ = '?';
      --dst_left;
      ++src;
      --src_left;
    }
    out.resize(static_cast<size_t>(dst - out.data()));
    return out;
  }

 private:
  iconv_t cd_;
  std::mutex mutex_;
};

Converter& ToSjis() {
  static Converter c("CP932", "UTF-8");
  return c;
}
Converter& ToUtf8() {
  static Converter c("UTF-8", "CP932");
  return c;
}

bool IsAscii(std::string_view s) {
  for (unsigned char c : s) {
    if (c >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string Utf8ToSjis(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return ToSjis().Convert(utf8, false);
}

std::string SjisToUtf8(std::string_view sjis) {
  if (IsAscii(sjis)) return std::string(sjis);
  return ToUtf8().Convert(sjis, false);
}

std::string SjisToUtf8Lenient(std::string_view sjis) {
  if (IsAscii(sjis)) return std::string(sjis);
  return ToUtf8().Convert(sjis, true);
}

}  // namespace codes
