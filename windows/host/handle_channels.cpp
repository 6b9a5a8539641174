#include "host/handle_channels.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>

namespace winhost {
namespace {

constexpr std::size_t kChunk = 1 << 20;

}  // namespace

StdioChannel::StdioChannel()
    : in_(GetStdHandle(STD_INPUT_HANDLE)), out_(GetStdHandle(STD_OUTPUT_HANDLE)) {
  // The C library must not turn a 0x0A of a record into CR LF either.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

bool StdioChannel::ReadExact(char* data, std::size_t size) {
  while (size > 0) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min(size, kChunk));
    if (!ReadFile(in_, data, want, &got, nullptr) || got == 0) return false;
    data += got;
    size -= got;
  }
  return true;
}

bool StdioChannel::WriteAll(const char* data, std::size_t size) {
  while (size > 0) {
    DWORD put = 0;
    const DWORD want = static_cast<DWORD>(std::min(size, kChunk));
    if (!WriteFile(out_, data, want, &put, nullptr) || put == 0) return false;
    data += put;
    size -= put;
  }
  return true;
}

SocketChannel::~SocketChannel() { closesocket(socket_); }

bool SocketChannel::ReadExact(char* data, std::size_t size) {
  while (size > 0) {
    const int got = recv(socket_, data, static_cast<int>(std::min(size, kChunk)), 0);
    if (got <= 0) return false;
    data += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

bool SocketChannel::WriteAll(const char* data, std::size_t size) {
  while (size > 0) {
    const int put = send(socket_, data, static_cast<int>(std::min(size, kChunk)), 0);
    if (put <= 0) return false;
    data += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

}  // namespace winhost
