// The stand-in as an in-process COM server: its class factory, the DLL's exports and its
// registration under the control's ProgID and class id.
#include <objbase.h>
#include <olectl.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "standin/standin_control.h"

namespace standin {
namespace {

constexpr wchar_t kProgId[] = L"JVDTLab.JVLink";
constexpr wchar_t kClassIdText[] = L"{2AB1774D-0C41-11D7-916F-0003479BEB3F}";
constexpr wchar_t kClassKey[] = L"CLSID\\{2AB1774D-0C41-11D7-916F-0003479BEB3F}";
constexpr wchar_t kDescription[] = L"Quorvane JV-Link stand-in (feed folder)";
constexpr CLSID kClassId = {
    0x2AB1774D, 0x0C41, 0x11D7, {0x91, 0x6F, 0x00, 0x03, 0x47, 0x9B, 0xEB, 0x3F}};

HMODULE g_module = nullptr;

std::wstring EnvText(const wchar_t* name) {
  const DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  if (n == 0) return {};
  std::wstring value(n, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), n));
  return value;
}

std::wstring RegistryText(const wchar_t* key, const wchar_t* name) {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegGetValueW(HKEY_CLASSES_ROOT, key, name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  value.resize(wcslen(value.c_str()));
  return value;
}

// The feed folder: QUORVANE_STANDIN_FEED, else the "Feed" value of the class's key. A
// Unix path (under Wine) is taken as the same path on drive Z:, Wine's view of "/".
std::filesystem::path FeedFolder() {
  std::wstring feed = EnvText(L"QUORVANE_STANDIN_FEED");
  if (feed.empty()) feed = RegistryText(kClassKey, L"Feed");
  if (!feed.empty() && feed.front() == L'/') feed = L"Z:" + feed;
  return std::filesystem::path(feed);
}

// Simulated download steps per file (QUORVANE_STANDIN_TICKS), for runs that need a
// download slow enough to watch or cancel.
jvlink::FeedOptions Options() {
  jvlink::FeedOptions options;
  const std::wstring ticks = EnvText(L"QUORVANE_STANDIN_TICKS");
  if (!ticks.empty()) options.ticks_per_file = std::max(1, _wtoi(ticks.c_str()));
  return options;
}

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The factory is static; it lives as long as the DLL.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    StandinControl* control = new (std::nothrow) StandinControl(FeedFolder(), Options());
    if (control == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = control->QueryInterface(riid, out);
    control->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      ++g_module_refs;
    } else {
      --g_module_refs;
    }
    return S_OK;
  }
};

Factory g_factory;

bool SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(), bytes) ==
         ERROR_SUCCESS;
}

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace
}  // namespace standin

using namespace standin;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (clsid != kClassId) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return g_module_refs.load() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  const std::wstring path = ModulePath();
  const std::wstring server = std::wstring(kClassKey) + L"\\InprocServer32";
  const bool ok = !path.empty() && SetText(kProgId, nullptr, kDescription) &&
                  SetText(std::wstring(kProgId) + L"\\CLSID", nullptr, kClassIdText) &&
                  SetText(kClassKey, nullptr, kDescription) &&
                  SetText(std::wstring(kClassKey) + L"\\ProgID", nullptr, kProgId) &&
                  SetText(server, nullptr, path) &&
                  SetText(server, L"ThreadingModel", L"Apartment");
  return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
  RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
  return S_OK;
}
