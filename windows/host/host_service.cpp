#include "host/host_service.h"

#include <cstdio>
#include <string>

namespace winhost {

void Say(const std::string& line) {
  std::fprintf(stderr, "quorvane-jvlink-host: %s\n", line.c_str());
  std::fflush(stderr);
}

bool ServeConnection(jvlink::ByteChannel& channel, ApartmentQueue& queue, jvlink::JVLink& link,
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
