#include "standin/invoke_args.h"

#include <cstring>

#include "common/com_text.h"

namespace standin {
namespace {

// The value a reference argument points at, when it is a VARIANT itself.
VARIANT* Referenced(VARIANTARG* arg) {
  if (arg->vt == (VT_BYREF | VT_VARIANT)) return arg->pvarVal;
  return nullptr;
}

bool Converted(VARIANTARG* arg, VARTYPE type, winhost::Variant& out) {
  winhost::Variant plain;
  if (FAILED(VariantCopyInd(plain.get(), arg))) return false;
  return SUCCEEDED(VariantChangeType(out.get(), plain.get(), 0, type));
}

SAFEARRAY* ByteArray(const std::string& bytes) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
  if (array == nullptr) return nullptr;
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(array, &data))) {
    SafeArrayDestroy(array);
    return nullptr;
  }
  if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
  SafeArrayUnaccessData(array);
  return array;
}

}  // namespace

HRESULT InvokeArgs::Expect(unsigned count) const {
  if (params_ == nullptr || params_->cArgs != count) return DISP_E_BADPARAMCOUNT;
  if (params_->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  return S_OK;
}

VARIANTARG* InvokeArgs::At(unsigned index) const {
  return &params_->rgvarg[params_->cArgs - 1 - index];
}

bool InvokeArgs::Text(unsigned index, std::string& out) const {
  winhost::Variant text;
  if (!Converted(At(index), VT_BSTR, text)) return false;
  out = winhost::Cp932FromBstr((*text).bstrVal);
  return true;
}

bool InvokeArgs::Int(unsigned index, int& out) const {
  if (const VARIANTARG* arg = At(index); arg->vt == VT_I4) {
    out = static_cast<int>(arg->lVal);  // as it comes, without a conversion's copies
    return true;
  }
  winhost::Variant number;
  if (!Converted(At(index), VT_I4, number)) return false;
  out = static_cast<int>((*number).lVal);
  return true;
}

bool InvokeArgs::SetText(unsigned index, const std::string& bytes) const {
  VARIANTARG* arg = At(index);
  if (VARIANT* v = Referenced(arg)) {
    VariantClear(v);
    v->vt = VT_BSTR;
    v->bstrVal = winhost::BstrFromCp932(bytes);
    return true;
  }
  if (arg->vt != (VT_BYREF | VT_BSTR)) return false;
  SysFreeString(*arg->pbstrVal);
  *arg->pbstrVal = winhost::BstrFromCp932(bytes);
  return true;
}

bool InvokeArgs::SetInt(unsigned index, int value) const {
  VARIANTARG* arg = At(index);
  if (VARIANT* v = Referenced(arg)) {
    VariantClear(v);
    v->vt = VT_I4;
    v->lVal = value;
    return true;
  }
  if (arg->vt != (VT_BYREF | VT_I4)) return false;
  *arg->plVal = value;
  return true;
}

bool InvokeArgs::SetBytes(unsigned index, const std::string& bytes) const {
  VARIANTARG* arg = At(index);
  SAFEARRAY* array = ByteArray(bytes);
  if (array == nullptr) return false;
  if (VARIANT* v = Referenced(arg)) {
    VariantClear(v);
    v->vt = VT_ARRAY | VT_UI1;
    v->parray = array;
    return true;
  }
  if (arg->vt != (VT_BYREF | VT_ARRAY | VT_UI1)) {
    SafeArrayDestroy(array);
    return false;
  }
  if (*arg->pparray != nullptr) SafeArrayDestroy(*arg->pparray);
  *arg->pparray = array;
  return true;
}

}  // namespace standin
