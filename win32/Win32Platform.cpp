#include "win32/Win32Platform.h"

#include <shellapi.h>

#include <algorithm>
#include <thread>

#include "win32/Dpi.h"
#include "win32/ErrorBox.h"
#include "win32/LocalTime.h"
#include "win32/MessageIds.h"
#include "win32/Text.h"

Win32Platform::Win32Platform() : uiThread_(GetCurrentThreadId()) {}

void Win32Platform::SetMainWindow(HWND window) {
  mainWindow_.store(window);
  mailbox_.SetWindow(window);
  rowUpdateQueued_.store(false);
}

SystemTime Win32Platform::LocalTime() { return LocalSystemTime(); }

WorkAreaRect Win32Platform::WorkArea() {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    area.right = GetSystemMetrics(SM_CXSCREEN);
    area.bottom = GetSystemMetrics(SM_CYSCREEN);
  }
  // In pixels at 96 dots per inch, like the window geometry in Data.ini that it places.
  const int dpi = SystemDpi();
  return {MulDiv(area.left, 96, dpi), MulDiv(area.top, 96, dpi), MulDiv(area.right, 96, dpi),
          MulDiv(area.bottom, 96, dpi)};
}

bool Win32Platform::AskYesNo(const std::string& text, const std::string& caption) {
  return MessageBoxW(mainWindow_.load(), ToWide(text).c_str(), ToWide(caption).c_str(),
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Win32Platform::ShowError(const std::string& text) {
  if (GetCurrentThreadId() == uiThread_)
    ShowErrorBox(mainWindow_.load(), text);
  else
    PostError(text);
}

void Win32Platform::PostError(const std::string& text) {
  {
    std::lock_guard lock(errorsMutex_);
    const auto waiting = [&](const auto& texts) {
      return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    if (waiting(postedErrors_) || waiting(errorsOnScreen_)) return;
    postedErrors_.push_back(text);
  }
  if (mailbox_.Post([this] { ShowPostedErrors(); })) return;
  // No window to wait for: the box shows now.
  std::lock_guard lock(errorsMutex_);
  std::erase(postedErrors_, text);
  ShowErrorBox(nullptr, text);
}

void Win32Platform::RowsChanged() {
  if (rowUpdateQueued_.exchange(true)) return;
  const bool posted = mailbox_.Post([this] {
    rowUpdateQueued_.store(false);
    if (jobs_) jobs_->ApplyRowChanges();
  });
  if (!posted) rowUpdateQueued_.store(false);
}

void Win32Platform::Beep(uint32_t frequency, uint32_t milliseconds) {
  ::Beep(frequency, milliseconds);
}

void Win32Platform::OpenFile(const std::string& fileName, const std::string& folder) {
  // On a thread of its own: the shell may wait for a slow or unreachable network path, and
  // neither the checker nor the program's stop waits for it. No error box and no "open with"
  // dialog may wait for the user there either; a file that cannot be started is not reported.
  std::thread([file = ToWide(fileName), directory = ToWide(folder), owner = mainWindow_.load()] {
    // The shell may hand the file to COM-based handlers, which need an apartment.
    const ComApartment apartment(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    // The thread ends when the call returns: the start must be complete by then (a handler
    // reached by DDE or COM would otherwise be left to a thread that is gone). The shell pumps
    // this thread's messages for as long as it waits.
    execute.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    execute.hwnd = owner;
    execute.lpVerb = L"open";
    execute.lpFile = file.c_str();
    execute.lpParameters = L"";
    execute.lpDirectory = directory.c_str();
    execute.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&execute);
  }).detach();
}

void Win32Platform::PostReminder(const std::string& momentText, const std::string& message,
                                 bool sound, const SoundChoice& soundChoice, uint64_t reminder) {
  const bool posted = mailbox_.Post([this, momentText, message, sound, soundChoice, reminder] {
    if (jobs_) jobs_->ShowReminder(momentText, message, sound, soundChoice, reminder);
  });
  // No popup will answer it: its sound does not wait for one.
  if (!posted) sounder_.Answered(reminder);
}

void Win32Platform::ShutDownComputer() {
  mailbox_.Post([this] {
    if (jobs_) jobs_->ShutDownComputer();
  });
}

void Win32Platform::PostMissed(std::vector<MissedReminder> missed) {
  mailbox_.Post([this, missed = std::move(missed)] {
    if (jobs_) jobs_->ShowMissed(missed);
  });
}

void Win32Platform::ShowPostedErrors() {
  // A box's own message loop may deliver the next post: that error waits for this box to close
  // rather than opening a second box on top of it.
  if (showingErrors_) return;
  showingErrors_ = true;
  std::unique_lock lock(errorsMutex_);
  while (!postedErrors_.empty()) {
    errorsOnScreen_.push_back(std::move(postedErrors_.front()));
    postedErrors_.pop_front();
    const std::string text = errorsOnScreen_.back();
    lock.unlock();
    ShowErrorBox(mainWindow_.load(), text);  // modal: later posts are handled meanwhile
    lock.lock();
    errorsOnScreen_.erase(std::find(errorsOnScreen_.begin(), errorsOnScreen_.end(), text));
  }
  showingErrors_ = false;
}
