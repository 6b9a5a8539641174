#include "host/apartment_queue.h"

namespace winhost {

ApartmentQueue::ApartmentQueue()
    : work_ready_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      work_done_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

ApartmentQueue::~ApartmentQueue() {
  CloseHandle(work_ready_);
  CloseHandle(work_done_);
}

void ApartmentQueue::Run() {
  for (;;) {
    const DWORD woke = MsgWaitForMultipleObjects(1, &work_ready_, FALSE, INFINITE, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) {
      if (InterlockedCompareExchange(&quit_, 0, 0) != 0) return;
      DoPosted();
      DoWork();
      continue;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void ApartmentQueue::DoPosted() {
  std::function<void()> posted;
  {
    std::lock_guard lock(mutex_);
    posted.swap(posted_);
  }
  if (!posted) return;
  try {
    posted();
  } catch (...) {
    // work done ahead of time is only a head start: what it would have told, the next
    // call finds again
  }
}

void ApartmentQueue::DoWork() {
  const std::function<std::string()>* work = nullptr;
  {
    std::lock_guard lock(mutex_);
    std::swap(work, work_);
  }
  if (work == nullptr) return;
  answer_.clear();
  failure_ = nullptr;
  try {
    answer_ = (*work)();
  } catch (...) {
    failure_ = std::current_exception();
  }
  SetEvent(work_done_);
}

void ApartmentQueue::Post(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    posted_ = std::move(work);
  }
  SetEvent(work_ready_);
}

std::string ApartmentQueue::Call(const std::function<std::string()>& work) {
  {
    std::lock_guard lock(mutex_);
    work_ = &work;
  }
  SetEvent(work_ready_);
  WaitForSingleObject(work_done_, INFINITE);
  if (failure_) std::rethrow_exception(failure_);
  return std::move(answer_);
}

void ApartmentQueue::Quit() {
  InterlockedExchange(&quit_, 1);
  SetEvent(work_ready_);
}

}  // namespace winhost
