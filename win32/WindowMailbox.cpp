#include "win32/WindowMailbox.h"

#include <utility>

#include "win32/MessageIds.h"

void WindowMailbox::SetWindow(HWND window) {
  std::lock_guard lock(mutex_);
  window_ = window;
  jobs_.clear();
  announced_ = false;
}

bool WindowMailbox::Post(Job job) {
  std::lock_guard lock(mutex_);
  if (!window_) return false;
  jobs_.push_back(std::move(job));
  Announce();
  return true;
}

void WindowMailbox::RunJobs() {
  std::unique_lock lock(mutex_);
  announced_ = false;  // this message has arrived
  while (!jobs_.empty()) {
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    if (!jobs_.empty()) Announce();
    lock.unlock();
    job();
    lock.lock();
  }
}

void WindowMailbox::Announce() {
  if (announced_) return;
  announced_ = PostMessageW(window_, WMAPP_MAILBOX, 0, 0) != FALSE;
}
