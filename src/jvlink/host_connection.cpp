#include "jvlink/host_connection.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace jvlink {
namespace {

using Clock = HostConnection::Clock;
constexpr auto kHookInterval = std::chrono::milliseconds(20);
constexpr auto kLeaveGrace = std::chrono::milliseconds(300);

std::string ErrnoText(int error) { return std::strerror(error); }

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() <= 0 ? 0 : static_cast<int>(std::min<long long>(left.count(), 1 << 30));
}

// Waits until `fd` is ready for `events`; window messages run between short polls.
void WaitReady(int fd, short events, Clock::time_point deadline, const WaitHook& hook,
               const char* what) {
  while (true) {
    int timeout = MillisecondsLeft(deadline);
    if (hook) timeout = std::min(timeout, static_cast<int>(kHookInterval.count()));
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, timeout);
    if (ready > 0) return;  // readable, writable, hung up or failed: the next call tells
    if (ready < 0 && errno != EINTR) throw HostFailure(std::string("poll failed: ") + ErrnoText(errno));
    if (Clock::now() >= deadline) throw HostFailure(std::string("no answer in time while ") + what);
    if (hook) hook();
  }
}

void SetNonBlocking(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK); }
void SetCloseOnExec(int fd) { ::fcntl(fd, F_SETFD, FD_CLOEXEC); }

// A write to a pipe whose reader is gone must not end the program: SIGPIPE is held
// back for this thread during the write and a pending one taken away.
ssize_t WriteWithoutSigpipe(int fd, const char* data, std::size_t size, bool socket) {
  if (socket) return ::send(fd, data, size, MSG_NOSIGNAL);
  sigset_t pipe_set;
  sigset_t old;
  sigemptyset(&pipe_set);
  sigaddset(&pipe_set, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe_set, &old);
  const ssize_t written = ::write(fd, data, size);
  const int error = errno;
  if (written < 0 && error == EPIPE) {
    const timespec none{0, 0};
    while (sigtimedwait(&pipe_set, nullptr, &none) > 0) {
    }
  }
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  errno = error;
  return written;
}

std::vector<std::string> EnvironmentWith(
    const std::vector<std::pair<std::string, std::string>>& changes) {
  std::vector<std::string> entries;
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string text(*entry);
    bool replaced = false;
    for (const auto& [name, value] : changes) replaced |= text.starts_with(name + "=");
    if (!replaced) entries.push_back(text);
  }
  for (const auto& [name, value] : changes) entries.push_back(name + "=" + value);
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
}

struct Pipe {
  int read = -1;
  int write = -1;
};

Pipe MakePipe() {
  int fds[2];
  if (::pipe(fds) != 0) throw HostFailure("no pipe: " + ErrnoText(errno));
  SetCloseOnExec(fds[0]);
  SetCloseOnExec(fds[1]);
  return {fds[0], fds[1]};
}

// A pipe that holds a whole batch of records lets the host write its answer at once
// and go on reading the control, instead of waiting for each 64 KiB to be taken. Where
// the system allows less, the pipe stays as it is: only speed depends on it.
void WidenPipe([[maybe_unused]] int fd) {
#ifdef F_SETPIPE_SZ
  constexpr int kWideBytes = 1 << 20;
  ::fcntl(fd, F_SETPIPE_SZ, kWideBytes);
#endif
}

int ConnectTcp(const std::string& address, Clock::time_point deadline) {
  const std::size_t colon = address.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == address.size()) {
    throw HostFailure("address \"" + address + "\" is not host:port");
  }
  const std::string host = address.substr(0, colon);
  const std::string port = address.substr(colon + 1);
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int error = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found); error != 0) {
    throw HostFailure("address \"" + address + "\": " + ::gai_strerror(error));
  }
  std::string problem = "no address";
  for (addrinfo* a = found; a; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    SetNonBlocking(fd);
    int error = 0;
    if (::connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
      error = errno;
      if (error == EINPROGRESS) {
        pollfd entry{fd, POLLOUT, 0};
        if (::poll(&entry, 1, MillisecondsLeft(deadline)) <= 0) {
          error = ETIMEDOUT;
        } else {
          socklen_t length = sizeof error;
          ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
        }
      }
    }
    if (error == 0) {
      ::freeaddrinfo(found);
      return fd;
    }
    problem = ErrnoText(error);
    ::close(fd);
  }
  ::freeaddrinfo(found);
  throw HostFailure("cannot connect to " + address + ": " + problem);
}

int SpawnChild(const HostEndpoint& endpoint, Pipe& to_host, Pipe& from_host) {
  if (endpoint.argv.empty()) throw HostFailure("no host command");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, to_host.read, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, from_host.write, STDOUT_FILENO);
  std::vector<std::string> argv = endpoint.argv;
  std::vector<std::string> env = EnvironmentWith(endpoint.environment);
  std::vector<char*> argv_pointers = Pointers(argv);
  std::vector<char*> env_pointers = Pointers(env);
  pid_t child = 0;
  const int error = ::posix_spawnp(&child, argv_pointers[0], &actions, nullptr,
                                   argv_pointers.data(), env_pointers.data());
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw HostFailure("cannot start " + endpoint.argv[0] + ": " + ErrnoText(error));
  return child;
}

}  // namespace

std::string HostEndpoint::Describe() const {
  if (kind == Kind::kTcp) return "tcp " + address;
  std::string line;
  for (const std::string& word : argv) line += (line.empty() ? "" : " ") + word;
  return line;
}

std::unique_ptr<HostConnection> HostConnection::Open(const HostEndpoint& endpoint,
                                                     Clock::time_point deadline) {
  if (endpoint.kind == HostEndpoint::Kind::kTcp) {
    const int fd = ConnectTcp(endpoint.address, deadline);
    return std::unique_ptr<HostConnection>(new HostConnection(fd, fd, 0));
  }
  Pipe to_host = MakePipe();
  Pipe from_host;
  try {
    from_host = MakePipe();
    WidenPipe(from_host.read);
  } catch (...) {
    ::close(to_host.read);
    ::close(to_host.write);
    throw;
  }
  int child = 0;
  try {
    child = SpawnChild(endpoint, to_host, from_host);
  } catch (...) {
    for (int fd : {to_host.read, to_host.write, from_host.read, from_host.write}) ::close(fd);
    throw;
  }
  ::close(to_host.read);
  ::close(from_host.write);
  SetNonBlocking(to_host.write);
  return std::unique_ptr<HostConnection>(new HostConnection(from_host.read, to_host.write, child));
}

HostConnection::HostConnection(int read_fd, int write_fd, int child)
    : read_fd_(read_fd), write_fd_(write_fd), child_(child) {}

HostConnection::~HostConnection() {
  ::close(write_fd_);
  if (read_fd_ != write_fd_) ::close(read_fd_);
  if (child_ <= 0) return;
  // Its standard input closed, a host leaves by itself; one that hangs is ended.
  const auto give_up = Clock::now() + kLeaveGrace;
  while (Clock::now() < give_up) {
    if (::waitpid(child_, nullptr, WNOHANG) == child_) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ::kill(child_, SIGKILL);
  ::waitpid(child_, nullptr, 0);
}

void HostConnection::WriteAll(const std::string& bytes, Clock::time_point deadline) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written =
        WriteWithoutSigpipe(write_fd_, bytes.data() + done, bytes.size() - done, child_ == 0);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      WaitReady(write_fd_, POLLOUT, deadline, {}, "sending a request");
      continue;
    }
    throw HostFailure("the host is gone (" + ErrnoText(errno) + ") while sending a request");
  }
}

void HostConnection::ReadExact(char* data, std::size_t size, Clock::time_point deadline,
                               const WaitHook& hook) {
  std::size_t done = 0;
  while (done < size) {
    WaitReady(read_fd_, POLLIN, deadline, hook, "waiting for an answer");
    const ssize_t got = ::read(read_fd_, data + done, size - done);
    if (got > 0) {
      done += static_cast<std::size_t>(got);
    } else if (got == 0) {
      throw HostFailure("the host closed the connection");
    } else if (errno != EINTR && errno != EAGAIN) {
      throw HostFailure("reading from the host failed: " + ErrnoText(errno));
    }
  }
}

std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

}  // namespace jvlink
