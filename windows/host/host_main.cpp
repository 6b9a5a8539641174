// quorvane-jvlink-host.exe: hosts the JV-Link control in a 32-bit Windows process and
// answers the program's requests for its operations (docs/jvlink-protocol.md). The
// control lives on the main thread, a single-threaded apartment whose messages are
// pumped between requests; requests are read on a second thread.
#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "common/com_text.h"
#include "host/apartment_queue.h"
#include "host/dispatch_jv_link.h"
#include "host/handle_channels.h"
#include "host/host_options.h"
#include "host/host_service.h"
#include "host/read_all.h"
#include "host/read_ahead_link.h"
#include "host/tcp_service.h"

namespace winhost {
namespace {

constexpr wchar_t kProgId[] = L"JVDTLab.JVLink";
constexpr int kUsageError = 2;
constexpr int kNoControl = 3;
constexpr int kNoSocket = 4;

std::vector<std::wstring> Arguments() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> args;
  for (int i = 1; i < count; ++i) args.emplace_back(words[i]);
  LocalFree(words);
  return args;
}

// The control by its ProgID, or null with the reason said.
IDispatch* CreateControl() {
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(kProgId, &clsid);
  if (FAILED(hr)) {
    Say("the control JVDTLab.JVLink is not registered here: " + HresultText(hr));
    return nullptr;
  }
  IDispatch* control = nullptr;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                        reinterpret_cast<void**>(&control));
  if (FAILED(hr)) {
    Say("the control JVDTLab.JVLink cannot be created: " + HresultText(hr));
    return nullptr;
  }
  return control;
}

// --check: which of the operations the control answers to; 0 when it has all it needs.
int Check(DispatchJVLink& link) {
  static const wchar_t* const kNames[] = {L"JVInit",   L"JVSetUIProperties", L"JVOpen",
                                          L"JVStatus", L"JVRead",            L"JVGets",
                                          L"JVRTOpen", L"JVCancel",          L"JVClose"};
  int missing = 0;
  for (const wchar_t* name : kNames) {
    const bool has = link.Has(name);
    std::fprintf(stderr, "  %-18s %s\n", Cp932FromWide(name).c_str(), has ? "ok" : "missing");
    if (!has && std::wstring(name) != L"JVGets") ++missing;
  }
  Say(missing == 0 ? "the control JVDTLab.JVLink is ready" : "the control lacks operations");
  return missing == 0 ? 0 : kNoControl;
}

// Pipes: one connection, the program's; the host ends with it.
int ServePipes(ApartmentQueue& queue, ReadAheadLink& link) {
  std::thread reader([&] {
    StdioChannel channel;
    ServeConnection(channel, queue, link, jvlink::HostServerOptions{});
    queue.Quit();
  });
  queue.Run();
  reader.join();
  return 0;
}

int ServeListening(const HostOptions& options, ApartmentQueue& queue, ReadAheadLink& link) {
  std::string error;
  const std::string token = ReadToken(options.token_file, error);
  if (token.empty()) {
    Say(error);
    return kUsageError;
  }
  int status = 0;
  std::thread listener([&] {
    if (!ServeTcp(options, token, queue, link)) status = kNoSocket;
    queue.Quit();
  });
  queue.Run();
  listener.join();
  return status;
}

int Serve(const HostOptions& options) {
  IDispatch* control = CreateControl();
  if (control == nullptr) return kNoControl;
  int status = 0;
  {
    DispatchJVLink link(control);
    control->Release();
    ReadAheadLink ahead(link);
    ApartmentQueue queue;
    if (options.check) {
      status = Check(link);
    } else if (!options.read_dataspec.empty()) {
      status = ReadAll(link, options.read_dataspec, options.read_fromtime);
    } else if (options.listen) {
      status = ServeListening(options, queue, ahead);
    } else {
      status = ServePipes(queue, ahead);
    }
  }
  return status;
}

}  // namespace
}  // namespace winhost

int main() {
  using namespace winhost;
  HostOptions options;
  std::string error;
  if (!ParseHostOptions(Arguments(), options, error)) {
    Say(error);
    std::fputs(kHostUsage, stderr);
    return kUsageError;
  }
  if (options.help) {
    std::fputs(kHostUsage, stderr);
    return 0;
  }
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    Say("COM cannot be started");
    return kNoControl;
  }
  const int status = Serve(options);
  CoUninitialize();
  return status;
}
