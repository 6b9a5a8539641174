#pragma once

#include <string>
#include <vector>

namespace winhost {

/// The host's command line.
struct HostOptions {
  bool listen = false;
  std::string address = "127.0.0.1";  ///< bound when listening
  std::string port;
  std::wstring token_file;
  bool check = false;  ///< --check: create the control, name its operations, end
  /// --read-all DATASPEC FROMTIME: read a stream through the control alone, say how fast
  std::string read_dataspec;
  std::string read_fromtime;
  bool help = false;
};

/// Reads the arguments after the program's name. On a mistake returns false with the
/// reason in `error`.
bool ParseHostOptions(const std::vector<std::wstring>& args, HostOptions& options,
                      std::string& error);

/// The first line of the token file, without its line end; empty with `error` set when
/// the file cannot be read or holds no token.
std::string ReadToken(const std::wstring& path, std::string& error);

extern const char kHostUsage[];

}  // namespace winhost
