#include "host/dispatch_jv_link.h"

#include <cstdio>
#include <cstring>

#include "common/com_text.h"

namespace winhost {
namespace {

constexpr int kInternalError = -401;
using Kind = DispatchArg::Kind;

// One argument on its way in and out: the VARIANTARG the control sees and the storage
// its reference points into.
struct Slot {
  VARIANTARG arg;
  LONG number = 0;
  BSTR text = nullptr;
  SAFEARRAY* bytes = nullptr;
  VARIANT value;
};

std::string ArrayBytes(SAFEARRAY* array) {
  if (array == nullptr || SafeArrayGetDim(array) != 1) return {};
  LONG low = 0, high = -1;
  SafeArrayGetLBound(array, 1, &low);
  SafeArrayGetUBound(array, 1, &high);
  void* data = nullptr;
  if (high < low || FAILED(SafeArrayAccessData(array, &data))) return {};
  std::string out(static_cast<const char*>(data), static_cast<std::size_t>(high - low + 1));
  SafeArrayUnaccessData(array);
  return out;
}

void Prepare(Slot& slot, const DispatchArg& arg, bool variant_refs) {
  VariantInit(&slot.arg);
  VariantInit(&slot.value);
  switch (arg.kind) {
    case Kind::kText:
      slot.arg.vt = VT_BSTR;
      slot.arg.bstrVal = BstrFromCp932(arg.text);
      return;
    case Kind::kInt:
      slot.arg.vt = VT_I4;
      slot.arg.lVal = arg.number;
      return;
    default: break;
  }
  if (variant_refs) {
    slot.arg.vt = VT_BYREF | VT_VARIANT;
    slot.arg.pvarVal = &slot.value;
  } else if (arg.kind == Kind::kIntOut) {
    slot.arg.vt = VT_BYREF | VT_I4;
    slot.arg.plVal = &slot.number;
  } else if (arg.kind == Kind::kTextOut) {
    slot.arg.vt = VT_BYREF | VT_BSTR;
    slot.arg.pbstrVal = &slot.text;
  } else {
    slot.arg.vt = VT_BYREF | VT_ARRAY | VT_UI1;
    slot.arg.pparray = &slot.bytes;
  }
}

// What a VARIANT reference came back with, as the argument wants it.
void TakeValue(const VARIANT& value, DispatchArg& arg) {
  if (value.vt == (VT_ARRAY | VT_UI1)) {
    arg.text = ArrayBytes(value.parray);
    return;
  }
  Variant converted;
  const VARTYPE type = arg.kind == Kind::kIntOut ? VT_I4 : VT_BSTR;
  if (FAILED(VariantChangeType(converted.get(), const_cast<VARIANT*>(&value), 0, type))) return;
  if (type == VT_I4) {
    arg.number = static_cast<int>((*converted).lVal);
  } else {
    arg.text = Cp932FromBstr((*converted).bstrVal);
  }
}

void Collect(Slot& slot, DispatchArg& arg) {
  if (arg.kind == Kind::kText || arg.kind == Kind::kInt) return;
  if (slot.arg.vt == (VT_BYREF | VT_VARIANT)) {
    TakeValue(slot.value, arg);
  } else if (arg.kind == Kind::kIntOut) {
    arg.number = static_cast<int>(slot.number);
  } else if (arg.kind == Kind::kTextOut) {
    arg.text = Cp932FromBstr(slot.text);
  } else {
    arg.text = ArrayBytes(slot.bytes);
  }
}

void Release(Slot& slot) {
  if (slot.arg.vt == VT_BSTR) SysFreeString(slot.arg.bstrVal);
  SysFreeString(slot.text);
  if (slot.bytes != nullptr) SafeArrayDestroy(slot.bytes);
  VariantClear(&slot.value);
}

}  // namespace

DispatchJVLink::DispatchJVLink(IDispatch* control) : control_(control) { control_->AddRef(); }

DispatchJVLink::~DispatchJVLink() { control_->Release(); }

std::optional<DISPID> DispatchJVLink::IdOf(const wchar_t* name) {
  auto it = ids_.find(name);
  if (it != ids_.end()) return it->second;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  std::optional<DISPID> found;
  if (SUCCEEDED(control_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) found = id;
  ids_.emplace(name, found);
  return found;
}

bool DispatchJVLink::Has(const wchar_t* name) { return IdOf(name).has_value(); }

HRESULT DispatchJVLink::Invoke(DISPID id, std::vector<DispatchArg>& args, bool variant_refs,
                               int& result) {
  std::vector<Slot> slots(args.size());
  std::vector<VARIANTARG> reversed(args.size());
  for (std::size_t i = 0; i < args.size(); ++i) {
    Prepare(slots[i], args[i], variant_refs);
    reversed[args.size() - 1 - i] = slots[i].arg;  // the last argument comes first
  }
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(args.size()), 0};
  Variant answer;
  EXCEPINFO exception{};
  UINT bad_arg = 0;
  const HRESULT hr = control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                      answer.get(), &exception, &bad_arg);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (SUCCEEDED(hr)) Collect(slots[i], args[i]);
    Release(slots[i]);
  }
  if (FAILED(hr)) return hr;
  Variant number;
  if (FAILED(VariantChangeType(number.get(), answer.get(), 0, VT_I4))) return DISP_E_TYPEMISMATCH;
  result = static_cast<int>((*number).lVal);
  return S_OK;
}

int DispatchJVLink::Call(const wchar_t* name, std::vector<DispatchArg>& args) {
  const std::optional<DISPID> id = IdOf(name);
  if (!id) {
    std::fprintf(stderr, "quorvane-jvlink-host: the control has no operation %s\n",
                 Cp932FromWide(name).c_str());
    return kInternalError;
  }
  int result = kInternalError;
  HRESULT hr = Invoke(*id, args, false, result);
  if (hr == DISP_E_TYPEMISMATCH) hr = Invoke(*id, args, true, result);
  if (FAILED(hr)) {
    std::fprintf(stderr, "quorvane-jvlink-host: %s failed: %s\n", Cp932FromWide(name).c_str(),
                 HresultText(hr).c_str());
    return kInternalError;
  }
  return result;
}

int DispatchJVLink::JVInit(const std::string& sid) {
  std::vector<DispatchArg> args{{Kind::kText, sid, 0}};
  return Call(L"JVInit", args);
}

int DispatchJVLink::JVSetUIProperties() {
  std::vector<DispatchArg> args;
  return Call(L"JVSetUIProperties", args);
}

int DispatchJVLink::JVOpen(const std::string& dataspec, const std::string& fromtime, int option,
                           int& readcount, int& downloadcount, std::string& lastfiletimestamp) {
  std::vector<DispatchArg> args{{Kind::kText, dataspec, 0}, {Kind::kText, fromtime, 0},
                                {Kind::kInt, {}, option},    {Kind::kIntOut, {}, 0},
                                {Kind::kIntOut, {}, 0},      {Kind::kTextOut, {}, 0}};
  const int result = Call(L"JVOpen", args);
  readcount = args[3].number;
  downloadcount = args[4].number;
  lastfiletimestamp = args[5].text;
  return result;
}

int DispatchJVLink::JVStatus() {
  std::vector<DispatchArg> args;
  return Call(L"JVStatus", args);
}

// JVGets hands the record over as the control's own bytes; JVRead as text, which code
// page 932 turns back into the same bytes wherever the record is valid Shift-JIS.
int DispatchJVLink::JVRead(std::string& buff, int size, std::string& filename) {
  if (!has_gets_) has_gets_ = Has(L"JVGets");
  std::vector<DispatchArg> args{{*has_gets_ ? Kind::kBytesOut : Kind::kTextOut, {}, 0},
                                {Kind::kInt, {}, size},
                                {Kind::kTextOut, {}, 0}};
  const int result = Call(*has_gets_ ? L"JVGets" : L"JVRead", args);
  buff = std::move(args[0].text);
  if (result > 0 && static_cast<std::size_t>(result) < buff.size()) buff.resize(result);
  if (result <= 0) buff.clear();
  filename = args[2].text;
  return result;
}

int DispatchJVLink::JVRTOpen(const std::string& dataspec, const std::string& key) {
  std::vector<DispatchArg> args{{Kind::kText, dataspec, 0}, {Kind::kText, key, 0}};
  return Call(L"JVRTOpen", args);
}

int DispatchJVLink::JVCancel() {
  std::vector<DispatchArg> args;
  return Call(L"JVCancel", args);
}

int DispatchJVLink::JVClose() {
  std::vector<DispatchArg> args;
  return Call(L"JVClose", args);
}

}  // namespace winhost
