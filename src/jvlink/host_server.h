#pragma once

#include <cstddef>
#include <string>

#include "jvlink/host_frames.h"
#include "jvlink/jv_link.h"

namespace jvlink {

/// Bytes in and out of one connection (a pipe pair or a socket). Both calls
/// block; false means the connection is closed or broken.
class ByteChannel {
 public:
  virtual ~ByteChannel() = default;
  virtual bool ReadExact(char* data, std::size_t size) = 0;
  virtual bool WriteAll(const char* data, std::size_t size) = 0;
};

/// Reads one frame's body. False when the channel closes (also inside a frame);
/// a length over kMaxFrameBody throws ProtocolError.
bool ReadFrame(ByteChannel& channel, std::string& body);
/// Writes one body with its length prefix; false when the channel is broken.
bool WriteFrame(ByteChannel& channel, const std::string& body);

struct HostServerOptions {
  /// The token a Hello must carry; checked only when `require_token`.
  std::string token;
  bool require_token = false;
  /// Read-ahead caps of one JVRead answer (the request's own limit applies too).
  int max_batch_records = 4096;
  std::size_t max_batch_bytes = 1024 * 1024;
};

/// The host's side of the protocol: answers the requests of one client with the
/// operations of any JVLink, one request at a time, reading ahead for JVRead.
class HostServer {
 public:
  enum class End {
    kClosed,         ///< the client closed the connection
    kRefused,        ///< the first request was no Hello, or its token or version was wrong
    kProtocolError,  ///< a request broke the protocol
    kWriteFailed,    ///< an answer could not be written
  };

  HostServer(JVLink& jv, HostServerOptions options = {});

  /// Serves one connection until it ends; the JVLink stays as the client left it.
  End Serve(ByteChannel& channel);

  /// The answer body to one request body (Hello included). Throws ProtocolError on
  /// a malformed request. `refuse` is set when the connection must close after
  /// the answer (a Hello with a wrong token or version, or a request before Hello).
  std::string Answer(const std::string& request, bool& refuse);

  /// The text of the last protocol error or refusal, for the host's diagnostics.
  const std::string& LastProblem() const { return last_problem_; }

 private:
  std::string AnswerHello(FrameReader& frame, bool& refuse);
  std::string AnswerOperation(FrameReader& frame);
  std::string AnswerRead(FrameReader& frame);

  JVLink& jv_;
  HostServerOptions options_;
  bool greeted_ = false;
  std::string last_problem_;
};

}  // namespace jvlink
