#include "host/host_options.h"

#include <cstdio>

#include "common/com_text.h"

namespace winhost {

const char kHostUsage[] =
    "usage: quorvane-jvlink-host.exe                 serve on standard input/output\n"
    "       quorvane-jvlink-host.exe --listen [ADDRESS:]PORT --token-file FILE\n"
    "                                                serve one TCP client at a time\n"
    "       quorvane-jvlink-host.exe --check         create the control and name its operations\n"
    "       quorvane-jvlink-host.exe --read-all DATASPEC FROMTIME\n"
    "                                                read a stream through the control alone\n"
    "                                                and say how fast\n";

namespace {

bool SetListen(const std::string& where, HostOptions& options, std::string& error) {
  const std::size_t colon = where.rfind(':');
  options.listen = true;
  options.port = colon == std::string::npos ? where : where.substr(colon + 1);
  if (colon != std::string::npos && colon > 0) options.address = where.substr(0, colon);
  const bool digits = !options.port.empty() && options.port.size() <= 5 &&
                      options.port.find_first_not_of("0123456789") == std::string::npos;
  if (!digits || std::stol(options.port) > 65535) {
    error = "--listen takes ADDRESS:PORT with a port from 0 to 65535, not \"" + where + "\"";
    return false;
  }
  return true;
}

}  // namespace

bool ParseHostOptions(const std::vector<std::wstring>& args, HostOptions& options,
                      std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    const bool has_value = i + 1 < args.size();
    if (arg == L"--help" || arg == L"-h") {
      options.help = true;
    } else if (arg == L"--check") {
      options.check = true;
    } else if (arg == L"--read-all" && i + 2 < args.size()) {
      options.read_dataspec = Cp932FromWide(args[++i]);
      options.read_fromtime = Cp932FromWide(args[++i]);
    } else if (arg == L"--listen" && has_value) {
      if (!SetListen(Cp932FromWide(args[++i]), options, error)) return false;
    } else if (arg == L"--token-file" && has_value) {
      options.token_file = args[++i];
    } else {
      error = "unknown or incomplete argument \"" + Cp932FromWide(arg) + "\"";
      return false;
    }
  }
  if (options.listen && options.token_file.empty()) {
    error = "--listen needs --token-file: a client is served only with the token";
    return false;
  }
  if (!options.listen && !options.token_file.empty()) {
    error = "--token-file is for --listen only";
    return false;
  }
  return true;
}

std::string ReadToken(const std::wstring& path, std::string& error) {
  // A Unix path (the host under Wine, started from Linux) is the same path on drive Z:.
  const std::wstring where = !path.empty() && path.front() == L'/' ? L"Z:" + path : path;
  FILE* file = _wfopen(where.c_str(), L"rb");
  if (file == nullptr) {
    error = "cannot read the token file " + Cp932FromWide(path);
    return {};
  }
  std::string line;
  for (int c = std::fgetc(file); c != EOF && c != '\n' && c != '\r'; c = std::fgetc(file)) {
    line += static_cast<char>(c);
  }
  std::fclose(file);
  if (line.empty()) error = "the token file " + Cp932FromWide(path) + " holds no token";
  return line;
}

}  // namespace winhost
