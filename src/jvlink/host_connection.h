#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace jvlink {

/// How to reach a JV-Link host: start it as a child with pipes, or connect over TCP.
struct HostEndpoint {
  enum class Kind { kProcess, kTcp };
  Kind kind = Kind::kProcess;
  std::vector<std::string> argv;                                    ///< kProcess
  std::vector<std::pair<std::string, std::string>> environment;     ///< kProcess: added or replaced
  std::string address;                                              ///< kTcp: "host:port"
  std::string token;                                                ///< kTcp: sent in Hello

  /// Names the host in log lines: the command line, or "tcp host:port".
  std::string Describe() const;
};

/// Why a host connection ended or could not be made; the text says what happened.
class HostFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Runs while an answer is awaited, about every 20 ms (window messages).
using WaitHook = std::function<void()>;

/// One live connection to a host: the child process and its pipes, or a socket.
/// Every wait has a deadline; every failure throws HostFailure. A broken pipe never
/// raises SIGPIPE. Ending the connection closes it and ends the child (at once
/// with SIGKILL when it does not leave by itself within a moment).
class HostConnection {
 public:
  using Clock = std::chrono::steady_clock;

  static std::unique_ptr<HostConnection> Open(const HostEndpoint& endpoint,
                                              Clock::time_point deadline);
  ~HostConnection();
  HostConnection(const HostConnection&) = delete;
  HostConnection& operator=(const HostConnection&) = delete;

  void WriteAll(const std::string& bytes, Clock::time_point deadline);
  void ReadExact(char* data, std::size_t size, Clock::time_point deadline, const WaitHook& hook);

 private:
  HostConnection(int read_fd, int write_fd, int child);

  int read_fd_;
  int write_fd_;
  int child_;  ///< process id of the child; 0 for TCP
};

/// Splits a command line on blanks; "double quotes" keep blanks inside one word.
std::vector<std::string> SplitCommandLine(const std::string& line);

}  // namespace jvlink
