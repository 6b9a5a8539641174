#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "jvlink/host_connection.h"
#include "jvlink/host_frames.h"
#include "jvlink/jv_link.h"

namespace jvlink {

struct HostedOptions {
  HostEndpoint endpoint;
  /// Time limit of every answer but the two below.
  std::chrono::milliseconds answer_limit{std::chrono::seconds(120)};
  /// Starting the host and its Hello (Wine may take long to come up the first time).
  std::chrono::milliseconds start_limit{std::chrono::seconds(120)};
  /// JVSetUIProperties: the control's own modal dialog waits for the user.
  std::chrono::milliseconds dialog_limit{std::chrono::hours(1)};
  /// Records asked for in one JVRead frame; the host gives them one answer.
  int read_ahead = 512;
  /// Runs about every 20 ms while an answer is awaited (the window's messages).
  WaitHook while_waiting;
  /// Receives one line for each failure of the host (for the error log).
  std::function<void(const std::string&)> log;
};

/// JV-Link through a host program that serves the control (docs/jvlink-protocol.md).
///
/// The host is started (or connected to) on first use and greeted with Hello; after
/// a restart the last JVInit is repeated. A host that cannot be reached, leaves,
/// breaks the protocol or misses its time limit ends the connection: the operation
/// fails with a code the result-message table explains (-401 for opens, -502 for
/// reads and JVStatus), a log line names the host and what happened, and the next
/// operation starts the host anew.
///
/// Re-entrant calls: while an answer is awaited, window messages run and may call
/// back in (the cancel button while a JVRead waits). Only one request is ever in
/// flight, so such a call does not reach the host at once: JVCancel and JVClose are
/// noted, return 0 and are sent as soon as the awaited answer is in (the read-ahead
/// entries are dropped); JVStatus returns the last status; any other call returns
/// -202 (a stream is busy).
class HostedJVLink : public JVLink {
 public:
  explicit HostedJVLink(HostedOptions options);
  ~HostedJVLink() override;

  int JVInit(const std::string& sid) override;
  int JVSetUIProperties() override;
  int JVOpen(const std::string& dataspec, const std::string& fromtime, int option, int& readcount,
             int& downloadcount, std::string& lastfiletimestamp) override;
  int JVStatus() override;
  int JVRead(std::string& buff, int size, std::string& filename) override;
  int JVRTOpen(const std::string& dataspec, const std::string& key) override;
  int JVCancel() override;
  int JVClose() override;

  /// The hook and the log may be set once the window and the error log exist.
  void SetWaitHook(WaitHook hook) { options_.while_waiting = std::move(hook); }
  void SetLog(std::function<void(const std::string&)> log) { options_.log = std::move(log); }

  /// True while a host connection is up.
  bool Connected() const { return connection_ != nullptr; }

 private:
  /// One request and its answer; nullopt when the host failed (already logged).
  std::optional<std::string> Exchange(const std::string& request, std::chrono::milliseconds limit);
  std::string ExchangeOrThrow(const std::string& request, std::chrono::milliseconds limit);
  void Connect();
  void Fail(const std::string& what);
  /// A plain answer's result, or `failure` when the host failed.
  int PlainCall(const FrameWriter& request, int failure,
                std::chrono::milliseconds limit);
  void SendDeferred();
  int ReadFromQueue(std::string& buff, std::string& filename);

  HostedOptions options_;
  std::unique_ptr<HostConnection> connection_;
  std::optional<std::string> sid_;  ///< repeated after a restart
  std::deque<ReadEntry> queue_;
  bool busy_ = false;
  bool cancel_pending_ = false;
  bool close_pending_ = false;
  int last_status_ = 0;
};

}  // namespace jvlink
