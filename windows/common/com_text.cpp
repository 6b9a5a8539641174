#include "common/com_text.h"

#include <cstdio>

namespace winhost {
namespace {

constexpr UINT kCp932 = 932;

}  // namespace

std::string Cp932FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(kCp932, 0, text.data(), length, nullptr, 0, "?", nullptr);
  if (n <= 0) return std::string(text.size(), '?');
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(kCp932, 0, text.data(), length, out.data(), n, "?", nullptr);
  return out;
}

std::string Cp932FromBstr(BSTR text) {
  if (text == nullptr) return {};
  return Cp932FromWide(std::wstring_view(text, SysStringLen(text)));
}

BSTR BstrFromCp932(std::string_view bytes) {
  if (bytes.empty()) return SysAllocStringLen(L"", 0);
  const int length = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(kCp932, 0, bytes.data(), length, nullptr, 0);
  BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(n > 0 ? n : 0));
  if (out != nullptr && n > 0) MultiByteToWideChar(kCp932, 0, bytes.data(), length, out, n);
  return out;
}

std::string HresultText(HRESULT hr) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string out = code;
  if (n > 0 && text != nullptr) {
    std::wstring_view words(text, n);
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r')) {
      words.remove_suffix(1);
    }
    out += " (" + Cp932FromWide(words) + ")";
  }
  if (text != nullptr) LocalFree(text);
  return out;
}

}  // namespace winhost
