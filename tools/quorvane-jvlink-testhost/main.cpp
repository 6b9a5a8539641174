// A JV-Link host for tests on this platform: serves a feed folder through the same
// HostServer the Windows host uses, over standard input/output or TCP, with switches
// that make it fail the ways a real host can.

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "jvlink/feed_jv_link.h"
#include "jvlink/host_server.h"
#include "platform/clock.h"

namespace {

constexpr const char* kUsage =
    "usage: quorvane-jvlink-testhost --feed DIR [--listen ADDRESS:PORT --token-file FILE]\n"
    "         [--ticks-per-file N] [--exit-after-records N] [--hang-on OPERATION]\n"
    "         [--garbage-on OPERATION] [--exit-after-answering OPERATION] [--slow-ms N]\n"
    "OPERATION: Hello, JVInit, JVSetUIProperties, JVOpen, JVStatus, JVRead, JVRTOpen,\n"
    "JVCancel, JVClose\n";

struct Options {
  std::string feed;
  std::string listen;
  std::string token_file;
  int ticks_per_file = 1;
  long exit_after_records = -1;
  std::string hang_on;
  std::string garbage_on;
  std::string exit_after_answering;
  int slow_ms = 0;
};

[[noreturn]] void Usage(const std::string& problem) {
  std::cerr << "quorvane-jvlink-testhost: " << problem << "\n" << kUsage;
  std::exit(2);
}

Options ParseOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (i + 1 >= argc) Usage(word + " needs a value");
    const std::string value = argv[++i];
    if (word == "--feed") o.feed = value;
    else if (word == "--listen") o.listen = value;
    else if (word == "--token-file") o.token_file = value;
    else if (word == "--ticks-per-file") o.ticks_per_file = std::atoi(value.c_str());
    else if (word == "--exit-after-records") o.exit_after_records = std::atol(value.c_str());
    else if (word == "--hang-on") o.hang_on = value;
    else if (word == "--garbage-on") o.garbage_on = value;
    else if (word == "--exit-after-answering") o.exit_after_answering = value;
    else if (word == "--slow-ms") o.slow_ms = std::atoi(value.c_str());
    else Usage("unknown argument " + word);
  }
  if (o.feed.empty()) Usage("--feed is required");
  if (!o.listen.empty() && o.token_file.empty()) Usage("--listen needs --token-file");
  return o;
}

// The feed JV-Link that leaves the process once it has given a number of records,
// as a host killed in the middle of a read.
class ExitingJVLink : public jvlink::FeedJVLink {
 public:
  ExitingJVLink(const std::string& feed, const platform::Clock& clock, jvlink::FeedOptions options,
                long records_left)
      : FeedJVLink(feed, clock, options), records_left_(records_left) {}
  int JVRead(std::string& buff, int size, std::string& filename) override {
    if (records_left_ == 0) _exit(3);
    const int result = FeedJVLink::JVRead(buff, size, filename);
    if (result > 0 && records_left_ > 0) --records_left_;
    return result;
  }

 private:
  long records_left_;
};

// A channel that hangs or answers garbage after the request named by a switch.
class FaultyChannel : public jvlink::ByteChannel {
 public:
  FaultyChannel(int read_fd, int write_fd, const Options& options)
      : read_fd_(read_fd), write_fd_(write_fd), options_(options) {}

  bool ReadExact(char* data, std::size_t size) override {
    std::size_t done = 0;
    while (done < size) {
      const ssize_t got = ::read(read_fd_, data + done, size - done);
      if (got <= 0) return false;
      done += static_cast<std::size_t>(got);
    }
    // Every frame is read as its 4-byte length, then its body.
    if (!in_body_) {
      in_body_ = true;
    } else {
      in_body_ = false;
      last_request_ = size > 0 ? std::string(jvlink::FrameCodeName(static_cast<std::uint8_t>(data[0])))
                               : std::string();
      if (last_request_ == options_.hang_on) {
        while (true) ::pause();
      }
      if (options_.slow_ms > 0) ::usleep(static_cast<useconds_t>(options_.slow_ms) * 1000);
    }
    if (size == 4 && in_body_ && data[0] == 0 && data[1] == 0 && data[2] == 0 && data[3] == 0) {
      in_body_ = false;  // an empty body is not read
    }
    return true;
  }

  bool WriteAll(const char* data, std::size_t size) override {
    static const char kGarbage[] = "\x07\x00\x00\x00\xff garbage";
    if (!options_.garbage_on.empty() && last_request_ == options_.garbage_on) {
      data = kGarbage;
      size = sizeof kGarbage - 1;
    }
    std::size_t done = 0;
    while (done < size) {
      const ssize_t put = ::write(write_fd_, data + done, size - done);
      if (put <= 0) return false;
      done += static_cast<std::size_t>(put);
    }
    if (!options_.exit_after_answering.empty() && last_request_ == options_.exit_after_answering) {
      _exit(4);
    }
    return true;
  }

 private:
  int read_fd_;
  int write_fd_;
  const Options& options_;
  bool in_body_ = false;
  std::string last_request_;
};

std::string FirstLine(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Usage("cannot read the token file " + path);
  std::string line;
  std::getline(in, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

int ListenSocket(const std::string& address) {
  const std::size_t colon = address.rfind(':');
  const std::string host = colon == std::string::npos ? "127.0.0.1" : address.substr(0, colon);
  const std::string port = colon == std::string::npos ? address : address.substr(colon + 1);
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.empty() ? "127.0.0.1" : host.c_str(), port.c_str(), &hints, &found) != 0) {
    Usage("cannot resolve " + address);
  }
  const int fd = ::socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  const int yes = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  if (fd < 0 || ::bind(fd, found->ai_addr, found->ai_addrlen) != 0 || ::listen(fd, 4) != 0) {
    std::cerr << "quorvane-jvlink-testhost: cannot listen on " << address << "\n";
    std::exit(1);
  }
  ::freeaddrinfo(found);
  return fd;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  platform::SystemClock clock;
  ExitingJVLink link(options.feed, clock, jvlink::FeedOptions{options.ticks_per_file},
                     options.exit_after_records);
  jvlink::HostServerOptions server_options;
  if (options.listen.empty()) {
    jvlink::HostServer server(link, server_options);
    FaultyChannel channel(STDIN_FILENO, STDOUT_FILENO, options);
    const auto end = server.Serve(channel);
    if (end == jvlink::HostServer::End::kProtocolError) {
      std::cerr << "quorvane-jvlink-testhost: " << server.LastProblem() << "\n";
      return 1;
    }
    return 0;
  }
  server_options.token = FirstLine(options.token_file);
  server_options.require_token = true;
  jvlink::HostServer server(link, server_options);
  const int listener = ListenSocket(options.listen);
  // Said once listening, so a test can connect as soon as it reads it.
  std::cout << "listening" << std::endl;
  while (true) {
    const int client = ::accept(listener, nullptr, nullptr);
    if (client < 0) continue;
    FaultyChannel channel(client, client, options);
    const auto end = server.Serve(channel);
    if (end != jvlink::HostServer::End::kClosed) {
      std::cerr << "quorvane-jvlink-testhost: connection ended: " << server.LastProblem() << "\n";
    }
    ::close(client);
  }
}
