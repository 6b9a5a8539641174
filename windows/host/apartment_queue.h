#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <mutex>
#include <string>

namespace winhost {

/// Hands work from the thread that reads requests to the control's thread, one piece
/// at a time. The control's thread sits in Run, pumping window messages (the control's
/// own dialogs need them) until work arrives or Quit is called.
class ApartmentQueue {
 public:
  ApartmentQueue();
  ~ApartmentQueue();
  ApartmentQueue(const ApartmentQueue&) = delete;
  ApartmentQueue& operator=(const ApartmentQueue&) = delete;

  /// On the control's thread: runs the work handed over, pumping messages in between,
  /// until Quit.
  void Run();

  /// On another thread: runs `work` on the control's thread and returns its answer;
  /// an exception of the work is thrown here.
  std::string Call(const std::function<std::string()>& work);

  /// On another thread: runs `work` on the control's thread without waiting for it; a
  /// Call after it waits until it is done. One at a time: a second Post before the first
  /// has run replaces it.
  void Post(std::function<void()> work);

  /// On another thread: ends Run once the current work is done.
  void Quit();

 private:
  void DoWork();
  void DoPosted();

  HANDLE work_ready_;
  HANDLE work_done_;
  std::mutex mutex_;  ///< guards work_ and posted_
  const std::function<std::string()>* work_ = nullptr;
  std::function<void()> posted_;
  std::string answer_;
  std::exception_ptr failure_;
  volatile LONG quit_ = 0;
};

}  // namespace winhost
