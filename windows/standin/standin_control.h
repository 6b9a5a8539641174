#pragma once

#include <oaidl.h>
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "jvlink/feed_jv_link.h"
#include "standin/invoke_args.h"
#include "standin/paced_clock.h"

namespace standin {

/// Live objects and locks of the DLL, for DllCanUnloadNow.
extern std::atomic<long> g_module_refs;

/// The stand-in control: the control's operations by name through IDispatch, each
/// answered by the feed-folder JV-Link over `feed`. Besides the eight operations it has
/// JVGets, the byte-array read.
class StandinControl final : public IDispatch {
 public:
  StandinControl(const std::filesystem::path& feed, jvlink::FeedOptions options);
  StandinControl(const StandinControl&) = delete;
  StandinControl& operator=(const StandinControl&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT* arg_error) override;

 private:
  ~StandinControl();
  HRESULT Call(DISPID id, const InvokeArgs& args, int& result);
  HRESULT Open(const InvokeArgs& args, int& result);
  HRESULT Read(const InvokeArgs& args, bool bytes, int& result);
  HRESULT RealtimeOpen(const InvokeArgs& args, int& result);
  HRESULT Init(const InvokeArgs& args, int& result);

  std::atomic<long> refs_{1};
  PacedClock clock_;
  jvlink::FeedJVLink link_;
  std::string record_;    ///< the last record read
  std::string filename_;  ///< the file of the last read
};

}  // namespace standin
