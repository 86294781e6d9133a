#include "win32/Win32Platform.h"

#include <shellapi.h>

#include <algorithm>
#include <thread>

#include "win32/Dpi.h"
#include "win32/ErrorBox.h"
#include "win32/LocalTime.h"
#include "win32/MessageIds.h"
#include "win32/SpeakerPorts.h"
#include "win32/Text.h"

Win32Platform::Win32Platform() : uiThread_(GetCurrentThreadId()) {}

void Win32Platform::SetMainWindow(HWND window) {
  mainWindow_.store(window);
  rowsChangedPosted_.store(false);
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

void Win32Platform::ShowError(const std::string& text) { ShowOrPostError(text, false); }

void Win32Platform::ReportError(const std::string& text) { ShowOrPostError(text, true); }

void Win32Platform::PostError(const std::string& text) { ShowOrPostError(text, true, true); }

void Win32Platform::ShowOrPostError(const std::string& text, bool once, bool post) {
  const HWND window = mainWindow_.load();
  if ((GetCurrentThreadId() == uiThread_ && !post) || !window) {
    ShowErrorBox(mainWindow_.load(), text);
    return;
  }
  {
    std::lock_guard lock(errorsMutex_);
    const auto waiting = [&](const auto& texts) {
      return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    if (once && (waiting(postedErrors_) || waiting(errorsOnScreen_))) return;
    postedErrors_.push_back(text);
  }
  PostMessageW(window, WM_SHOWERROR, 0, 0);
}

bool Win32Platform::TakePostedError(std::string& text) {
  std::lock_guard lock(errorsMutex_);
  if (postedErrors_.empty()) return false;
  text = std::move(postedErrors_.front());
  postedErrors_.pop_front();
  return true;
}

void Win32Platform::RowsChanged() {
  const HWND window = mainWindow_.load();
  if (!window || rowsChangedPosted_.exchange(true)) return;
  if (!PostMessageW(window, WM_ROWSCHANGED, 0, 0)) rowsChangedPosted_.store(false);
}

uint32_t Win32Platform::PlatformId() {
  if (platformId_ == 0) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148
    GetVersionExA(&version);
    platformId_ = version.dwPlatformId;
  }
  return platformId_;
}

void Win32Platform::Beep(uint32_t frequency, uint32_t milliseconds) {
  ::Beep(frequency, milliseconds);
}

void Win32Platform::PortOut(uint16_t port, uint8_t value) { WritePort(port, value); }

uint8_t Win32Platform::PortIn(uint16_t port) { return ReadPort(port); }

void Win32Platform::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

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
                                 bool sound) {
  const HWND window = mainWindow_.load();
  if (!window) return;
  {
    std::lock_guard lock(remindersMutex_);
    pendingReminders_.push_back({momentText, message, sound});
  }
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(kCommandReminder, 0), 0);
}

bool Win32Platform::TakePendingReminder(PendingReminder& reminder) {
  std::lock_guard lock(remindersMutex_);
  if (pendingReminders_.empty()) return false;
  reminder = std::move(pendingReminders_.front());
  pendingReminders_.pop_front();
  return true;
}

void Win32Platform::ShutDownComputer() {
  if (const HWND window = mainWindow_.load()) PostMessageW(window, WM_SHUTDOWNCOMPUTER, 0, 0);
}

void Win32Platform::ShowPostedErrors() {
  // A box's own message loop may deliver the next post: that error waits for this box to close
  // rather than opening a second box on top of it.
  if (showingErrors_) return;
  showingErrors_ = true;
  std::string text;
  while (TakePostedError(text)) {
    {
      std::lock_guard lock(errorsMutex_);
      errorsOnScreen_.push_back(text);
    }
    ShowErrorBox(mainWindow_.load(), text);  // modal: later posts are handled meanwhile
    std::lock_guard lock(errorsMutex_);
    errorsOnScreen_.erase(std::find(errorsOnScreen_.begin(), errorsOnScreen_.end(), text));
  }
  showingErrors_ = false;
}
