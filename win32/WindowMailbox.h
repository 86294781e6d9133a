// Work that other threads hand to the user-interface thread: small jobs queued in order and run
// there on one private message, so a worker never waits for the window.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

class WindowMailbox {
 public:
  using Job = std::function<void()>;

  // The window whose thread runs the jobs (it calls RunJobs on WMAPP_MAILBOX); null while there
  // is none, and jobs posted meanwhile are dropped.
  void SetWindow(HWND window);

  // Queues `job` to run on the window's thread. False when there is no window to run it.
  bool Post(Job job);

  // Runs the jobs queued so far, oldest first. A job may open a modal box: the jobs behind it
  // then run in the box's own message loop rather than wait for it to close.
  void RunJobs();

 private:
  // Posts WMAPP_MAILBOX unless one is already on its way; the caller holds mutex_.
  void Announce();

  HWND window_ = nullptr;
  std::mutex mutex_;
  std::deque<Job> jobs_;
  bool announced_ = false;  // a WMAPP_MAILBOX is in the window's queue
};
