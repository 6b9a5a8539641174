// What the program reads from a JV-Link host: the bytes are the host's side of the
// connection, cut into frames by their length prefixes; every body is decoded as each
// answer the program may be waiting for. A bad frame is a ProtocolError, never a crash;
// a read answer that decodes encodes back to the very same body.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "jvlink/host_frames.h"

namespace {

constexpr jvlink::FrameCode kPlainAnswers[] = {
    jvlink::FrameCode::kInit,   jvlink::FrameCode::kSetUIProperties, jvlink::FrameCode::kStatus,
    jvlink::FrameCode::kRTOpen, jvlink::FrameCode::kCancel,          jvlink::FrameCode::kClose};

template <typename Decode>
void Try(Decode decode) {
  try {
    decode();
  } catch (const jvlink::ProtocolError&) {
  }
}

void DecodeEveryWay(std::string_view body) {
  for (int most : {1, 7, 512}) {
    try {
      const auto entries = jvlink::DecodeReadAnswer(body, most);
      if (entries.empty() || static_cast<int>(entries.size()) > most) __builtin_trap();
      if (jvlink::EncodeReadAnswer(entries) != body) __builtin_trap();
    } catch (const jvlink::ProtocolError&) {
    }
  }
  Try([&] { jvlink::DecodeOpenAnswer(body); });
  Try([&] { jvlink::DecodeHelloAnswer(body); });
  for (jvlink::FrameCode code : kPlainAnswers) Try([&] { jvlink::DecodePlainAnswer(body, code); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view stream(reinterpret_cast<const char*>(data), size);
  std::size_t at = 0;
  while (stream.size() - at >= 4) {
    std::uint32_t length = 0;
    try {
      length = jvlink::FrameBodyLength(stream.data() + at);
    } catch (const jvlink::ProtocolError&) {
      return 0;  // the program ends the connection
    }
    at += 4;
    if (length > stream.size() - at) return 0;  // the host closed inside a frame
    DecodeEveryWay(stream.substr(at, length));
    at += length;
  }
  return 0;
}
