#include "host/tcp_service.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <string>

#include "host/handle_channels.h"
#include "host/host_service.h"

namespace winhost {
namespace {

std::string SocketError(const std::string& what) {
  return what + " failed (Winsock error " + std::to_string(WSAGetLastError()) + ")";
}

// A listening IPv4 socket on the options' address, or INVALID_SOCKET.
SOCKET Listen(const HostOptions& options) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE;
  addrinfo* found = nullptr;
  if (getaddrinfo(options.address.c_str(), options.port.c_str(), &hints, &found) != 0) {
    Say("the address " + options.address + ":" + options.port + " cannot be resolved");
    return INVALID_SOCKET;
  }
  SOCKET s = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  const bool bound = s != INVALID_SOCKET &&
                     bind(s, found->ai_addr, static_cast<int>(found->ai_addrlen)) == 0 &&
                     listen(s, 1) == 0;
  freeaddrinfo(found);
  if (!bound) {
    Say(SocketError("listening on " + options.address + ":" + options.port));
    if (s != INVALID_SOCKET) closesocket(s);
    return INVALID_SOCKET;
  }
  return s;
}

void SayBound(SOCKET s, const HostOptions& options) {
  sockaddr_in bound{};
  int length = sizeof bound;
  getsockname(s, reinterpret_cast<sockaddr*>(&bound), &length);
  Say("listening on " + options.address + ":" + std::to_string(ntohs(bound.sin_port)));
}

}  // namespace

bool ServeTcp(const HostOptions& options, const std::string& token, ApartmentQueue& queue,
              ReadAheadLink& link) {
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) {
    Say("Winsock cannot be started");
    return false;
  }
  const SOCKET listening = Listen(options);
  if (listening == INVALID_SOCKET) return false;
  SayBound(listening, options);
  jvlink::HostServerOptions served;
  served.token = token;
  served.require_token = true;
  for (;;) {
    const SOCKET client = accept(listening, nullptr, nullptr);
    if (client == INVALID_SOCKET) {
      Say(SocketError("accepting a client"));
      Sleep(100);
      continue;
    }
    SocketChannel channel(client);
    // A client that leaves a stream open must not block the next one's JVOpen.
    if (ServeConnection(channel, queue, link, served)) {
      queue.Call([&] { link.JVClose(); return std::string(); });
    }
  }
}

}  // namespace winhost
