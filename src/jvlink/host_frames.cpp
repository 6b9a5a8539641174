#include "jvlink/host_frames.h"

#include <array>

namespace jvlink {
namespace {

constexpr std::array<std::string_view, 9> kNames{
    "Hello", "JVInit", "JVSetUIProperties", "JVOpen", "JVStatus",
    "JVRead", "JVRTOpen", "JVCancel", "JVClose"};

// Each entry of a read answer takes at least its result and two lengths.
constexpr std::size_t kSmallestEntry = 12;

void PutUint32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<char>((value >> shift) & 0xFFu));
  }
}

std::uint32_t GetUint32(const char* in) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(in[i]);
  }
  return value;
}

}  // namespace

bool IsRequestCode(std::uint8_t code) { return code < kNames.size(); }

std::string_view FrameCodeName(std::uint8_t code) {
  const std::uint8_t request = code & static_cast<std::uint8_t>(~kAnswerBit);
  return request < kNames.size() ? kNames[request] : std::string_view("?");
}

FrameWriter::FrameWriter(std::uint8_t code) { body_.push_back(static_cast<char>(code)); }

FrameWriter& FrameWriter::Int(std::int32_t value) {
  PutUint32(body_, static_cast<std::uint32_t>(value));
  return *this;
}

FrameWriter& FrameWriter::Bytes(std::string_view bytes) {
  Int(static_cast<std::int32_t>(bytes.size()));
  body_.append(bytes);
  return *this;
}

std::string FrameWriter::Frame() const { return FrameLengthPrefix(body_.size()) + body_; }

FrameReader::FrameReader(std::string_view body) : body_(body) {
  if (body_.empty()) throw ProtocolError("empty frame");
  code_ = static_cast<std::uint8_t>(body_[0]);
}

std::int32_t FrameReader::Int() {
  if (Left() < 4) throw ProtocolError("frame ends inside a number");
  const std::uint32_t raw = GetUint32(body_.data() + at_);
  at_ += 4;
  return static_cast<std::int32_t>(raw);
}

std::string FrameReader::Bytes() {
  const std::int32_t length = Int();
  if (length < 0 || static_cast<std::size_t>(length) > Left()) {
    throw ProtocolError("byte field of " + std::to_string(length) + " bytes past the frame's end");
  }
  std::string bytes(body_.substr(at_, static_cast<std::size_t>(length)));
  at_ += static_cast<std::size_t>(length);
  return bytes;
}

void FrameReader::End() const {
  if (Left() != 0) throw ProtocolError(std::to_string(Left()) + " bytes after the last field");
}

std::uint32_t FrameBodyLength(const char prefix[4]) {
  const std::uint32_t length = GetUint32(prefix);
  if (length > kMaxFrameBody) {
    throw ProtocolError("frame of " + std::to_string(length) + " bytes is too long");
  }
  return length;
}

std::string FrameLengthPrefix(std::size_t length) {
  std::string prefix;
  PutUint32(prefix, static_cast<std::uint32_t>(length));
  return prefix;
}

namespace {

// A reader over an answer to `request`; another code is a protocol error.
FrameReader AnswerReader(std::string_view body, FrameCode request) {
  FrameReader frame(body);
  const auto expected = static_cast<std::uint8_t>(kAnswerBit | static_cast<std::uint8_t>(request));
  if (frame.Code() != expected) {
    throw ProtocolError("answer of code " + std::to_string(frame.Code()) + " to " +
                        std::string(FrameCodeName(static_cast<std::uint8_t>(request))));
  }
  return frame;
}

}  // namespace

std::string EncodeReadAnswer(const std::vector<ReadEntry>& entries) {
  FrameWriter frame(static_cast<std::uint8_t>(kAnswerBit | static_cast<std::uint8_t>(FrameCode::kRead)));
  std::size_t size = 9;
  for (const ReadEntry& entry : entries) size += 12 + entry.record.size() + entry.filename.size();
  frame.Reserve(size);
  frame.Int(entries.empty() ? 0 : entries.back().result);
  frame.Int(static_cast<std::int32_t>(entries.size()));
  for (const ReadEntry& entry : entries) {
    frame.Int(entry.result).Bytes(entry.record).Bytes(entry.filename);
  }
  return frame.Body();
}

std::vector<ReadEntry> DecodeReadAnswer(std::string_view body, int most) {
  FrameReader frame = AnswerReader(body, FrameCode::kRead);
  const std::int32_t result = frame.Int();
  const std::int32_t count = frame.Int();
  if (count < 1 || count > most || static_cast<std::size_t>(count) > frame.Left() / kSmallestEntry) {
    throw ProtocolError("JVRead answer with " + std::to_string(count) + " entries");
  }
  std::vector<ReadEntry> entries(static_cast<std::size_t>(count));
  for (ReadEntry& entry : entries) {
    entry.result = frame.Int();
    entry.record = frame.Bytes();
    entry.filename = frame.Bytes();
  }
  frame.End();
  if (entries.back().result != result) {
    throw ProtocolError("JVRead answer whose result is not its last entry's");
  }
  return entries;
}


OpenAnswer DecodeOpenAnswer(std::string_view body) {
  FrameReader frame = AnswerReader(body, FrameCode::kOpen);
  OpenAnswer answer;
  answer.result = frame.Int();
  answer.readcount = frame.Int();
  answer.downloadcount = frame.Int();
  answer.lastfiletimestamp = frame.Bytes();
  frame.End();
  return answer;
}

HelloAnswer DecodeHelloAnswer(std::string_view body) {
  FrameReader frame = AnswerReader(body, FrameCode::kHello);
  HelloAnswer answer;
  answer.result = frame.Int();
  answer.version = frame.Int();
  frame.End();
  return answer;
}

std::int32_t DecodePlainAnswer(std::string_view body, FrameCode request) {
  FrameReader frame = AnswerReader(body, request);
  const std::int32_t result = frame.Int();
  frame.End();
  return result;
}

}  // namespace jvlink
