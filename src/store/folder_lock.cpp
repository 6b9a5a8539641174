#include "store/folder_lock.h"

#include <cerrno>
#include <cstring>

#include "codes/cp932.h"
#include "codes/errors.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#endif

namespace store {
namespace {

constexpr int kPollMs = 50;
constexpr size_t kHolderTextLimit = 120;

// The holder's text as it may be shown: printable ASCII only, ends of lines dropped.
std::string Printable(const std::string& raw) {
  std::string text;
  for (char c : raw) {
    if (c >= 0x20 && c <= 0x7e && text.size() < kHolderTextLimit) text += c;
  }
  return text;
}

[[noreturn]] void Fail(const std::filesystem::path& file, const std::string& what) {
  throw codes::InputError(file.string() + ": the program folder cannot be locked for writing (" +
                          what + ")");
}

}  // namespace

#ifdef _WIN32

// The byte locked lies far past the holder's text, so that the text stays readable to
// a program that waits (a Windows lock also keeps others from reading what it covers).
constexpr DWORD kLockedByteHigh = 1;

class LockFile {
 public:
  explicit LockFile(const std::filesystem::path& file) : file_(file) {
    handle_ = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) Fail(file, "error " + std::to_string(GetLastError()));
  }
  ~LockFile() { CloseHandle(handle_); }
  LockFile(const LockFile&) = delete;
  LockFile& operator=(const LockFile&) = delete;

  bool TryLock() {
    OVERLAPPED at{};
    at.OffsetHigh = kLockedByteHigh;
    if (LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
      return true;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return false;
    Fail(file_, "error " + std::to_string(error));
  }
  std::string ReadHolder() {
    char buffer[256];
    DWORD read = 0;
    OVERLAPPED at{};
    if (!ReadFile(handle_, buffer, sizeof buffer, &read, &at)) return {};
    return std::string(buffer, read);
  }
  void WriteHolder(const std::string& text) {
    Truncate();
    DWORD written = 0;
    WriteFile(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
  void Unlock() {
    Truncate();
    OVERLAPPED at{};
    at.OffsetHigh = kLockedByteHigh;
    UnlockFileEx(handle_, 0, 1, 0, &at);
  }
  static std::string ProcessId() { return std::to_string(GetCurrentProcessId()); }
  static void Pause() { Sleep(kPollMs); }

 private:
  void Truncate() {
    SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    SetEndOfFile(handle_);
  }

  std::filesystem::path file_;
  HANDLE handle_;
};

#else

class LockFile {
 public:
  explicit LockFile(const std::filesystem::path& file) : file_(file) {
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) Fail(file, std::strerror(errno));
  }
  ~LockFile() { ::close(fd_); }
  LockFile(const LockFile&) = delete;
  LockFile& operator=(const LockFile&) = delete;

  bool TryLock() {
    for (;;) {
      if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
      if (errno == EWOULDBLOCK) return false;
      if (errno != EINTR) Fail(file_, std::strerror(errno));
    }
  }
  std::string ReadHolder() {
    char buffer[256];
    const ssize_t read = ::pread(fd_, buffer, sizeof buffer, 0);
    return read > 0 ? std::string(buffer, static_cast<size_t>(read)) : std::string();
  }
  // The text only informs a program that waits: a failure to write it changes nothing.
  void WriteHolder(const std::string& text) {
    if (::ftruncate(fd_, 0) != 0) return;
    [[maybe_unused]] const ssize_t written = ::pwrite(fd_, text.data(), text.size(), 0);
  }
  void Unlock() {
    [[maybe_unused]] const int truncated = ::ftruncate(fd_, 0);
    ::flock(fd_, LOCK_UN);
  }
  static std::string ProcessId() { return std::to_string(::getpid()); }
  static void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs)); }

 private:
  std::filesystem::path file_;
  int fd_;
};

#endif

std::string FolderLockWaitText(const std::string& holder) {
  static const std::string kOther = codes::Sj("ほかのプログラム");
  static const std::string kOpen = codes::Sj("（");
  static const std::string kClose = codes::Sj("）");
  static const std::string kWriting = codes::Sj("がデータを書き込み中です。終わるまで待ちます…");
  return kOther + (holder.empty() ? std::string() : kOpen + holder + kClose) + kWriting;
}

FolderLock::FolderLock(std::filesystem::path lock_file) : file_(std::move(lock_file)) {}

FolderLock::~FolderLock() = default;

void FolderLock::Acquire() {
  if (depth_ > 0) {
    ++depth_;
    return;
  }
  auto file = std::make_unique<LockFile>(file_);
  bool reported = false;
  std::string last_holder;
  while (!file->TryLock()) {
    std::string holder = Printable(file->ReadHolder());
    const bool changed = !reported || holder != last_holder;
    reported = true;
    last_holder = std::move(holder);
    // A report that lets window messages run may write (and so lock and unlock) itself:
    // it opens the file on its own, and this loop simply tries again.
    if (wait_report_) wait_report_(last_holder, changed);
    LockFile::Pause();
  }
  file->WriteHolder(holder_name_ + " (pid " + LockFile::ProcessId() + ")");
  lock_file_ = std::move(file);
  depth_ = 1;
}

void FolderLock::Release() {
  // Called from the end of a hold's scope, so it must not throw: an unmatched release
  // has nothing to give back.
  if (depth_ == 0) return;
  if (--depth_ > 0) return;
  lock_file_->Unlock();
  lock_file_.reset();
}

}  // namespace store
