// Helpers of the Win32 tests: a private temporary folder, whole-file reads and writes, message
// pumping and the answering of message boxes.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A new empty folder under the system's temporary folder, removed with its files at the end.
class TestFolder {
 public:
  explicit TestFolder(const std::wstring& nameHint = L"vornakel");
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::wstring& Path() const { return path_; }  // with a trailing backslash
  std::wstring File(const std::wstring& name) const { return path_ + name; }
  // Names of the files in the folder, sorted.
  std::vector<std::wstring> FileNames() const;

 private:
  std::wstring path_;
};

bool WriteBytes(const std::wstring& path, const std::string& bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);

// Dispatches the calling thread's pending messages.
void PumpMessages();
// Pumps messages until `done` holds or the time is up; returns `done()`.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(10));

// A message box of this process shown while `action` runs on this thread: a helper thread
// waits for it, reads its text and presses `button`. Returns the box's caption and text
// ("caption|text"), or nothing when no box came.
std::optional<std::wstring> AnswerMessageBox(const std::function<void()>& action, int button);

// The visible dialog box (class "#32770") of process `processId`, if one is shown.
HWND FindMessageBox(DWORD processId);
// Runs `action` on this thread while a helper presses `button` (OK, Yes, No...) on every message
// box of this process that shows meanwhile; `whileAsking` runs once per box, while it is up,
// before the answer. Returns their "caption|text" in the order they showed.
std::vector<std::wstring> AnswerEveryMessageBox(const std::function<void()>& action,
                                                int button = IDOK,
                                                const std::function<void()>& whileAsking = {});
// "caption|text" of a message box.
std::wstring MessageBoxContent(HWND box);
