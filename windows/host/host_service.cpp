#include "host/host_service.h"

#include <cstdio>
#include <string>

namespace winhost {
namespace {

// One batch read ahead: as many records as the program asks for in a frame, at most.
constexpr int kAheadRecords = 512;
constexpr std::size_t kAheadBytes = 1024 * 1024;

// True for the answer to a JVRead whose last result the stream goes on from: the
// program will ask for more.
bool AnswerGoesOn(const std::string& request, const std::string& answer) {
  if (request.empty() || request[0] != static_cast<char>(jvlink::FrameCode::kRead)) return false;
  try {
    jvlink::FrameReader frame(answer);
    return ReadAheadLink::GoesOn(frame.Int());
  } catch (const jvlink::ProtocolError&) {
    return false;
  }
}

}  // namespace

void Say(const std::string& line) {
  std::fprintf(stderr, "quorvane-jvlink-host: %s\n", line.c_str());
  std::fflush(stderr);
}

bool ServeConnection(jvlink::ByteChannel& channel, ApartmentQueue& queue, ReadAheadLink& link,
                     const jvlink::HostServerOptions& options) {
  jvlink::HostServer server(link, options);
  bool operated = false;
  std::string body;
  for (;;) {
    bool refuse = false;
    std::string answer;
    try {
      if (!jvlink::ReadFrame(channel, body)) return operated;
      answer = queue.Call([&] { return server.Answer(body, refuse); });
    } catch (const jvlink::ProtocolError& e) {
      Say(std::string("protocol error, connection closed: ") + e.what());
      return operated;
    }
    if (!body.empty() && body[0] != static_cast<char>(jvlink::FrameCode::kHello) && !refuse) {
      operated = true;
    }
    // The next batch is read from the control while this answer goes out, not after.
    if (!refuse && AnswerGoesOn(body, answer)) {
      queue.Post([&link] { link.ReadAhead(kAheadRecords, kAheadBytes); });
    }
    if (!jvlink::WriteFrame(channel, answer)) {
      Say("the answer could not be written; connection closed");
      return operated;
    }
    if (refuse) {
      Say("client refused: " + server.LastProblem());
      return operated;
    }
  }
}

}  // namespace winhost
