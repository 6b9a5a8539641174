#include "jvlink/host_server.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace jvlink {
namespace {

constexpr int kRefusedResult = -1;

std::uint8_t AnswerCode(FrameCode code) {
  return static_cast<std::uint8_t>(kAnswerBit | static_cast<std::uint8_t>(code));
}

std::string PlainAnswer(FrameCode code, int result) {
  return FrameWriter(AnswerCode(code)).Int(result).Body();
}

// Results after which the control has nothing more to give before the next call
// decides: the end, "still downloading", or an error.
bool EndsBatch(int result) { return result == 0 || result == -3 || result <= -4; }

}  // namespace

bool ReadFrame(ByteChannel& channel, std::string& body) {
  char prefix[4];
  if (!channel.ReadExact(prefix, sizeof prefix)) return false;
  body.resize(FrameBodyLength(prefix));
  return body.empty() || channel.ReadExact(body.data(), body.size());
}

// One write per frame: a prefix sent on its own would cost a second system call, and
// over TCP could wait for the acknowledgement of the first.
bool WriteFrame(ByteChannel& channel, const std::string& body) {
  std::string frame;
  frame.reserve(4 + body.size());
  frame += FrameLengthPrefix(body.size());
  frame += body;
  return channel.WriteAll(frame.data(), frame.size());
}

HostServer::HostServer(JVLink& jv, HostServerOptions options)
    : jv_(jv), options_(std::move(options)) {}

HostServer::End HostServer::Serve(ByteChannel& channel) {
  greeted_ = false;
  std::string request;
  while (true) {
    try {
      if (!ReadFrame(channel, request)) return End::kClosed;
      bool refuse = false;
      const std::string answer = Answer(request, refuse);
      if (!WriteFrame(channel, answer)) return End::kWriteFailed;
      if (refuse) return End::kRefused;
    } catch (const ProtocolError& error) {
      last_problem_ = error.what();
      return End::kProtocolError;
    }
  }
}

std::string HostServer::Answer(const std::string& request, bool& refuse) {
  refuse = false;
  FrameReader frame(request);
  if (!IsRequestCode(frame.Code())) {
    throw ProtocolError("unknown request code " + std::to_string(frame.Code()));
  }
  if (frame.Code() == static_cast<std::uint8_t>(FrameCode::kHello)) {
    return AnswerHello(frame, refuse);
  }
  if (!greeted_) {
    // Nothing reaches the control before a Hello has been accepted.
    last_problem_ = std::string(FrameCodeName(frame.Code())) + " before Hello";
    refuse = true;
    return FrameWriter(static_cast<std::uint8_t>(kAnswerBit | frame.Code())).Int(kRefusedResult).Body();
  }
  return AnswerOperation(frame);
}

std::string HostServer::AnswerHello(FrameReader& frame, bool& refuse) {
  const int version = frame.Int();
  const std::string token = frame.Bytes();
  frame.End();
  FrameWriter answer(AnswerCode(FrameCode::kHello));
  if (version != kHostProtocolVersion) {
    last_problem_ = "protocol version " + std::to_string(version) + " is not " +
                    std::to_string(kHostProtocolVersion);
    refuse = true;
  } else if (options_.require_token && token != options_.token) {
    last_problem_ = "wrong token";
    refuse = true;
  }
  greeted_ = !refuse;
  return answer.Int(refuse ? kRefusedResult : 0).Int(kHostProtocolVersion).Body();
}

std::string HostServer::AnswerOperation(FrameReader& frame) {
  const auto code = static_cast<FrameCode>(frame.Code());
  switch (code) {
    case FrameCode::kInit: {
      const std::string sid = frame.Bytes();
      frame.End();
      return PlainAnswer(code, jv_.JVInit(sid));
    }
    case FrameCode::kSetUIProperties:
      frame.End();
      return PlainAnswer(code, jv_.JVSetUIProperties());
    case FrameCode::kOpen: {
      const std::string dataspec = frame.Bytes();
      const std::string fromtime = frame.Bytes();
      const int option = frame.Int();
      frame.End();
      int readcount = 0;
      int downloadcount = 0;
      std::string stamp;
      const int result = jv_.JVOpen(dataspec, fromtime, option, readcount, downloadcount, stamp);
      return FrameWriter(AnswerCode(code)).Int(result).Int(readcount).Int(downloadcount).Bytes(stamp).Body();
    }
    case FrameCode::kStatus:
      frame.End();
      return PlainAnswer(code, jv_.JVStatus());
    case FrameCode::kRead:
      return AnswerRead(frame);
    case FrameCode::kRTOpen: {
      const std::string dataspec = frame.Bytes();
      const std::string key = frame.Bytes();
      frame.End();
      return PlainAnswer(code, jv_.JVRTOpen(dataspec, key));
    }
    case FrameCode::kCancel:
      frame.End();
      return PlainAnswer(code, jv_.JVCancel());
    case FrameCode::kClose:
      frame.End();
      return PlainAnswer(code, jv_.JVClose());
    case FrameCode::kHello:
      break;
  }
  throw ProtocolError("unknown request code " + std::to_string(frame.Code()));
}

// Reads on while the control gives records or file switches, so one answer
// carries many records; the entry that ends a batch is always its last.
std::string HostServer::AnswerRead(FrameReader& frame) {
  const int size = frame.Int();
  const int most = frame.Int();
  frame.End();
  if (most < 1) throw ProtocolError("JVRead for " + std::to_string(most) + " records");
  const int limit = std::min(most, std::max(1, options_.max_batch_records));
  std::vector<ReadEntry> entries;
  std::size_t bytes = 0;
  while (true) {
    ReadEntry entry;
    entry.result = jv_.JVRead(entry.record, size, entry.filename);
    if (entry.result <= 0) entry.record.clear();
    bytes += entry.record.size() + entry.filename.size();
    const bool last = EndsBatch(entry.result);
    entries.push_back(std::move(entry));
    if (last || static_cast<int>(entries.size()) >= limit || bytes >= options_.max_batch_bytes) {
      break;
    }
  }
  return EncodeReadAnswer(entries);
}

}  // namespace jvlink
