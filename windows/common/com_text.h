#pragma once

#include <oaidl.h>
#include <windows.h>

#include <string>
#include <string_view>

namespace winhost {

/// The control's texts are Unicode strings (BSTR); the program's are Shift-JIS bytes.
/// Both directions go through code page 932; a character that has no Shift-JIS form
/// becomes '?', so nothing is dropped silently from a record's length.
std::string Cp932FromBstr(BSTR text);
/// A new BSTR (the caller frees it) of Shift-JIS bytes.
BSTR BstrFromCp932(std::string_view bytes);

/// The same for a wide string without a BSTR around it.
std::string Cp932FromWide(std::wstring_view text);

/// A COM result as text for messages: "0x80020006 (name unknown)".
std::string HresultText(HRESULT hr);

/// A VARIANT that clears itself.
class Variant {
 public:
  Variant() { VariantInit(&v_); }
  ~Variant() { VariantClear(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* get() { return &v_; }
  const VARIANT& operator*() const { return v_; }

 private:
  VARIANT v_;
};

}  // namespace winhost
