#include "jvlink/hosted_jv_link.h"

#include <utility>

namespace jvlink {
namespace {

using Clock = HostConnection::Clock;

constexpr int kOpenFailure = -401;   // "JV-Link 内部エラー"
constexpr int kReadFailure = -502;   // "ダウンロードに失敗しました"
constexpr int kBusy = -202;          // a stream is busy: a call from inside a wait
constexpr int kRefused = -1;

// Marks a call as the one in flight for as long as it runs.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

}  // namespace

HostedJVLink::HostedJVLink(HostedOptions options) : options_(std::move(options)) {
  if (options_.read_ahead < 1) options_.read_ahead = 1;
}

HostedJVLink::~HostedJVLink() = default;

void HostedJVLink::Fail(const std::string& what) {
  if (options_.log) options_.log("JV-Link host " + options_.endpoint.Describe() + ": " + what);
  connection_.reset();
  queue_.clear();
  last_status_ = 0;
}

void HostedJVLink::Connect() {
  connection_ = HostConnection::Open(options_.endpoint, Clock::now() + options_.start_limit);
  const FrameWriter hello =
      FrameWriter(FrameCode::kHello).Int(kHostProtocolVersion).Bytes(options_.endpoint.token);
  const HelloAnswer answer = DecodeHelloAnswer(ExchangeOrThrow(hello.Body(), options_.start_limit));
  if (answer.result == kRefused) throw HostFailure("the host refused the connection (token or version)");
  if (answer.result != 0 || answer.version != kHostProtocolVersion) {
    throw ProtocolError("Hello answered with " + std::to_string(answer.result) + ", version " +
                        std::to_string(answer.version));
  }
  if (sid_) {
    DecodePlainAnswer(
        ExchangeOrThrow(FrameWriter(FrameCode::kInit).Bytes(*sid_).Body(), options_.answer_limit),
        FrameCode::kInit);
  }
}

std::string HostedJVLink::ExchangeOrThrow(const std::string& request,
                                          std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  connection_->WriteAll(FrameLengthPrefix(request.size()) + request, deadline);
  char prefix[4];
  connection_->ReadExact(prefix, sizeof prefix, deadline, options_.while_waiting);
  std::string body(FrameBodyLength(prefix), '\0');
  connection_->ReadExact(body.data(), body.size(), deadline, options_.while_waiting);
  return body;
}

std::optional<std::string> HostedJVLink::Exchange(const std::string& request,
                                                  std::chrono::milliseconds limit) {
  BusyScope busy(busy_);
  try {
    if (!connection_) Connect();
    return ExchangeOrThrow(request, limit);
  } catch (const HostFailure& failure) {
    Fail(failure.what());
  } catch (const ProtocolError& error) {
    Fail(std::string("protocol error: ") + error.what());
  }
  return std::nullopt;
}

// JVCancel or JVClose asked for from inside a wait reach the host now.
void HostedJVLink::SendDeferred() {
  if (!cancel_pending_ && !close_pending_) return;
  queue_.clear();
  if (std::exchange(cancel_pending_, false)) JVCancel();
  if (std::exchange(close_pending_, false)) JVClose();
}

int HostedJVLink::PlainCall(const FrameWriter& request, int failure,
                            std::chrono::milliseconds limit) {
  std::optional<std::string> body = Exchange(request.Body(), limit);
  int result = failure;
  if (body) {
    try {
      result = DecodePlainAnswer(*body, static_cast<FrameCode>(request.Body()[0]));
    } catch (const ProtocolError& error) {
      Fail(std::string("protocol error: ") + error.what());
      result = failure;
    }
  }
  SendDeferred();
  return result;
}

int HostedJVLink::JVInit(const std::string& sid) {
  if (busy_) return kBusy;
  // Noted after the call: a host started by this very call gets it once.
  const int result =
      PlainCall(FrameWriter(FrameCode::kInit).Bytes(sid), kOpenFailure, options_.answer_limit);
  sid_ = sid;
  return result;
}

int HostedJVLink::JVSetUIProperties() {
  if (busy_) return kBusy;
  return PlainCall(FrameWriter(FrameCode::kSetUIProperties), kOpenFailure, options_.dialog_limit);
}

int HostedJVLink::JVOpen(const std::string& dataspec, const std::string& fromtime, int option,
                         int& readcount, int& downloadcount, std::string& lastfiletimestamp) {
  if (busy_) return kBusy;
  queue_.clear();
  const FrameWriter request =
      FrameWriter(FrameCode::kOpen).Bytes(dataspec).Bytes(fromtime).Int(option);
  std::optional<std::string> body = Exchange(request.Body(), options_.answer_limit);
  int result = kOpenFailure;
  if (body) {
    try {
      OpenAnswer answer = DecodeOpenAnswer(*body);
      result = answer.result;
      readcount = answer.readcount;
      downloadcount = answer.downloadcount;
      lastfiletimestamp = std::move(answer.lastfiletimestamp);
    } catch (const ProtocolError& error) {
      Fail(std::string("protocol error: ") + error.what());
    }
  }
  last_status_ = 0;
  SendDeferred();
  return result;
}

int HostedJVLink::JVStatus() {
  if (busy_) return last_status_;
  const int result = PlainCall(FrameWriter(FrameCode::kStatus), kReadFailure, options_.answer_limit);
  if (result >= 0) last_status_ = result;
  return result;
}

int HostedJVLink::ReadFromQueue(std::string& buff, std::string& filename) {
  ReadEntry entry = std::move(queue_.front());
  queue_.pop_front();
  buff = std::move(entry.record);
  filename = std::move(entry.filename);
  return entry.result;
}

int HostedJVLink::JVRead(std::string& buff, int size, std::string& filename) {
  if (busy_) return kBusy;
  if (!queue_.empty()) return ReadFromQueue(buff, filename);
  const std::string request =
      FrameWriter(FrameCode::kRead).Int(size).Int(options_.read_ahead).Body();
  std::optional<std::string> body = Exchange(request, options_.answer_limit);
  int result = kReadFailure;
  if (body) {
    try {
      for (ReadEntry& entry : DecodeReadAnswer(*body, options_.read_ahead)) {
        queue_.push_back(std::move(entry));
      }
      result = ReadFromQueue(buff, filename);
    } catch (const ProtocolError& error) {
      Fail(std::string("protocol error: ") + error.what());
    }
  }
  if (result == kReadFailure && !body) buff.clear();
  SendDeferred();
  return result;
}

int HostedJVLink::JVRTOpen(const std::string& dataspec, const std::string& key) {
  if (busy_) return kBusy;
  queue_.clear();
  return PlainCall(FrameWriter(FrameCode::kRTOpen).Bytes(dataspec).Bytes(key), kOpenFailure,
                   options_.answer_limit);
}

int HostedJVLink::JVCancel() {
  queue_.clear();
  if (busy_) {
    cancel_pending_ = true;
    return 0;
  }
  // A host that is gone has no download to stop.
  if (!connection_) return 0;
  return PlainCall(FrameWriter(FrameCode::kCancel), kOpenFailure, options_.answer_limit);
}

int HostedJVLink::JVClose() {
  queue_.clear();
  if (busy_) {
    close_pending_ = true;
    return 0;
  }
  // A host that is gone took its stream with it.
  if (!connection_) return 0;
  return PlainCall(FrameWriter(FrameCode::kClose), kOpenFailure, options_.answer_limit);
}

}  // namespace jvlink
