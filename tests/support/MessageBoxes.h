// Helpers of the Win32 tests: message pumping, and message boxes found, read and answered while
// the code under test waits on them.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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
