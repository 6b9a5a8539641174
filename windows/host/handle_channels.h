#pragma once

#include <winsock2.h>
#include <windows.h>

#include "jvlink/host_server.h"

namespace winhost {

/// Standard input and output as the host's connection: raw handles, binary, with
/// nothing else written to standard output.
class StdioChannel : public jvlink::ByteChannel {
 public:
  StdioChannel();
  bool ReadExact(char* data, std::size_t size) override;
  bool WriteAll(const char* data, std::size_t size) override;

 private:
  HANDLE in_;
  HANDLE out_;
};

/// One accepted TCP connection; closes its socket when destroyed.
class SocketChannel : public jvlink::ByteChannel {
 public:
  explicit SocketChannel(SOCKET socket) : socket_(socket) {}
  ~SocketChannel() override;
  SocketChannel(const SocketChannel&) = delete;
  SocketChannel& operator=(const SocketChannel&) = delete;
  bool ReadExact(char* data, std::size_t size) override;
  bool WriteAll(const char* data, std::size_t size) override;

 private:
  SOCKET socket_;
};

}  // namespace winhost
