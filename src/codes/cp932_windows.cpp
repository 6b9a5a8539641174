// Code page 932 <-> UTF-8 on Windows, where there is no iconv: the system's own
// conversion functions. The Windows build takes this file in place of cp932.cpp.
#include <windows.h>

#include <string>
#include <string_view>

#include "codes/cp932.h"
#include "codes/errors.h"

namespace codes {
namespace {

constexpr UINT kCp932 = 932;

std::wstring Wide(UINT code_page, std::string_view in) {
  if (in.empty()) return {};
  const int length = static_cast<int>(in.size());
  const int n = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in.data(), length, nullptr, 0);
  if (n <= 0) {
    throw InputError("text cannot be converted: \"" + std::string(in.substr(0, 40)) + "\"");
  }
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in.data(), length, out.data(), n);
  return out;
}

// UTF-8 accepts every character; code page 932 reports the ones it lacks.
std::string Narrow(UINT code_page, std::wstring_view in, std::string_view source) {
  if (in.empty()) return {};
  const int length = static_cast<int>(in.size());
  BOOL lacking = FALSE;
  BOOL* lacking_out = code_page == CP_UTF8 ? nullptr : &lacking;
  const DWORD flags = code_page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int n = WideCharToMultiByte(code_page, flags, in.data(), length, nullptr, 0, nullptr,
                                    lacking_out);
  if (n <= 0 || lacking) {
    throw InputError("text cannot be converted: \"" + std::string(source.substr(0, 40)) + "\"");
  }
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(code_page, flags, in.data(), length, out.data(), n, nullptr, nullptr);
  return out;
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
  return Narrow(kCp932, Wide(CP_UTF8, utf8), utf8);
}

std::string SjisToUtf8(std::string_view sjis) {
  if (IsAscii(sjis)) return std::string(sjis);
  return Narrow(CP_UTF8, Wide(kCp932, sjis), sjis);
}

// Character by character, so that one bad byte costs only itself.
std::string SjisToUtf8Lenient(std::string_view sjis) {
  if (IsAscii(sjis)) return std::string(sjis);
  std::string out;
  std::size_t i = 0;
  while (i < sjis.size()) {
    const unsigned char b = static_cast<unsigned char>(sjis[i]);
    const std::size_t width = IsSjisLeadByte(b) && i + 1 < sjis.size() ? 2 : 1;
    try {
      out += SjisToUtf8(sjis.substr(i, width));
      i += width;
    } catch (const InputError&) {
      out += '?';
      ++i;
    }
  }
  return out;
}

}  // namespace codes
