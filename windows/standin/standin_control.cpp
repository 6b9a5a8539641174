#include "standin/standin_control.h"

#include <array>
#include <cwchar>
#include <cwctype>
#include <cstdlib>
#include <string>

namespace standin {
namespace {

// The operations by name; their dispatch ids are their places here, from 1.
constexpr std::array<const wchar_t*, 9> kNames{
    L"JVInit", L"JVSetUIProperties", L"JVOpen",   L"JVStatus", L"JVRead",
    L"JVGets", L"JVRTOpen",          L"JVCancel", L"JVClose"};
enum Id : DISPID {
  kInit = 1, kSetUIProperties, kOpen, kStatus, kRead, kGets, kRTOpen, kCancel, kClose
};

// JVRead and JVGets take the buffer's size like the control, and ignore it like the
// feed-folder JV-Link: a record is never cut.
constexpr int kReadArgs = 3;

// QUORVANE_STANDIN_WITHOUT names operations (separated by commas) the stand-in hides,
// as a control of another version may lack them: "JVGets" makes callers read by JVRead.
bool Withheld(const wchar_t* name) {
  const wchar_t* without = _wgetenv(L"QUORVANE_STANDIN_WITHOUT");
  if (without == nullptr) return false;
  std::wstring list = std::wstring(L",") + without + L",";
  for (wchar_t& c : list) c = static_cast<wchar_t>(towlower(c));
  std::wstring word = std::wstring(L",") + name + L",";
  for (wchar_t& c : word) c = static_cast<wchar_t>(towlower(c));
  return list.find(word) != std::wstring::npos;
}

}  // namespace

std::atomic<long> g_module_refs{0};

StandinControl::StandinControl(const std::filesystem::path& feed, jvlink::FeedOptions options)
    : link_(feed, clock_, options) {
  ++g_module_refs;
}

StandinControl::~StandinControl() { --g_module_refs; }

HRESULT StandinControl::QueryInterface(REFIID riid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG StandinControl::AddRef() { return static_cast<ULONG>(++refs_); }

ULONG StandinControl::Release() {
  const long left = --refs_;
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT StandinControl::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;  // late binding by name only
  return S_OK;
}

HRESULT StandinControl::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT StandinControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
  ids[0] = DISPID_UNKNOWN;
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (_wcsicmp(names[0], kNames[i]) == 0 && !Withheld(kNames[i])) {
      ids[0] = static_cast<DISPID>(i + 1);
    }
  }
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;  // no named arguments
  return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT StandinControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO*, UINT* arg_error) {
  if ((flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
  if (arg_error != nullptr) *arg_error = 0;
  int code = 0;
  HRESULT hr = E_FAIL;
  try {
    hr = Call(id, InvokeArgs(params), code);
  } catch (...) {
    code = -401;  // whatever went wrong inside counts as the control's internal error
    hr = S_OK;
  }
  if (FAILED(hr)) return hr;
  if (result != nullptr) {
    VariantInit(result);
    result->vt = VT_I4;
    result->lVal = code;
  }
  return S_OK;
}

HRESULT StandinControl::Call(DISPID id, const InvokeArgs& args, int& result) {
  const unsigned none = 0;
  switch (id) {
    case kInit: return Init(args, result);
    case kOpen: return Open(args, result);
    case kRead: return Read(args, false, result);
    case kGets: return Read(args, true, result);
    case kRTOpen: return RealtimeOpen(args, result);
    default: break;
  }
  if (id < kInit || id > kClose) return DISP_E_MEMBERNOTFOUND;
  if (HRESULT hr = args.Expect(none); FAILED(hr)) return hr;
  switch (id) {
    case kSetUIProperties: result = link_.JVSetUIProperties(); break;
    case kStatus: result = link_.JVStatus(); break;
    case kCancel: result = link_.JVCancel(); break;
    default: result = link_.JVClose(); break;
  }
  return S_OK;
}

HRESULT StandinControl::Init(const InvokeArgs& args, int& result) {
  if (HRESULT hr = args.Expect(1); FAILED(hr)) return hr;
  std::string sid;
  if (!args.Text(0, sid)) return DISP_E_TYPEMISMATCH;
  result = link_.JVInit(sid);
  return S_OK;
}

HRESULT StandinControl::Open(const InvokeArgs& args, int& result) {
  if (HRESULT hr = args.Expect(6); FAILED(hr)) return hr;
  std::string dataspec, fromtime, stamp;
  int option = 0, readcount = 0, downloadcount = 0;
  if (!args.Text(0, dataspec) || !args.Text(1, fromtime) || !args.Int(2, option)) {
    return DISP_E_TYPEMISMATCH;
  }
  result = link_.JVOpen(dataspec, fromtime, option, readcount, downloadcount, stamp);
  if (!args.SetInt(3, readcount) || !args.SetInt(4, downloadcount) || !args.SetText(5, stamp)) {
    return DISP_E_TYPEMISMATCH;
  }
  return S_OK;
}

HRESULT StandinControl::Read(const InvokeArgs& args, bool bytes, int& result) {
  if (HRESULT hr = args.Expect(kReadArgs); FAILED(hr)) return hr;
  int size = 0;
  if (!args.Int(1, size)) return DISP_E_TYPEMISMATCH;
  // The buffers live on between calls so a record costs no allocation of its own; each
  // call starts them empty, as a result without a record or file leaves them.
  record_.clear();
  filename_.clear();
  result = link_.JVRead(record_, size, filename_);
  const bool set = bytes ? args.SetBytes(0, record_) : args.SetText(0, record_);
  if (!set || !args.SetText(2, filename_)) return DISP_E_TYPEMISMATCH;
  return S_OK;
}

HRESULT StandinControl::RealtimeOpen(const InvokeArgs& args, int& result) {
  if (HRESULT hr = args.Expect(2); FAILED(hr)) return hr;
  std::string dataspec, key;
  if (!args.Text(0, dataspec) || !args.Text(1, key)) return DISP_E_TYPEMISMATCH;
  result = link_.JVRTOpen(dataspec, key);
  return S_OK;
}

}  // namespace standin
