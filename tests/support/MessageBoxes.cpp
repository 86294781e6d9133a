#include "tests/support/MessageBoxes.h"

#include <atomic>
#include <thread>

void PumpMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    PumpMessages();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

namespace {

struct BoxSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindBoxOfProcess(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<BoxSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (owner == search.processId && IsWindowVisible(window) &&
      std::wstring(className) == L"#32770") {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

HWND FindMessageBox(DWORD processId) {
  BoxSearch search{processId, nullptr};
  EnumWindows(FindBoxOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring MessageBoxContent(HWND box) {
  // The box's text is its static control with the identifier 0xFFFF.
  return WindowText(box) + L"|" + WindowText(GetDlgItem(box, 0xFFFF));
}

std::optional<std::wstring> AnswerMessageBox(const std::function<void()>& action, int button) {
  std::optional<std::wstring> content;
  std::atomic<bool> finished{false};
  std::thread helper([&] {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!finished && std::chrono::steady_clock::now() < end) {
      if (HWND box = FindMessageBox(GetCurrentProcessId())) {
        content = MessageBoxContent(box);
        SendMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
        return;
      }
      Sleep(10);
    }
  });
  action();
  finished = true;
  helper.join();
  return content;
}

std::vector<std::wstring> AnswerEveryMessageBox(const std::function<void()>& action, int button,
                                                const std::function<void()>& whileAsking) {
  std::vector<std::wstring> boxes;
  std::atomic<bool> finished{false};
  std::thread helper([&] {
    HWND answered = nullptr;
    while (!finished) {
      const HWND box = FindMessageBox(GetCurrentProcessId());
      const HWND answer = box ? GetDlgItem(box, button) : nullptr;
      if (!box) answered = nullptr;
      // A box is read once its button is on screen, when its texts are set; it is pressed again
      // until it has gone.
      if (answer && IsWindowVisible(answer)) {
        if (box != answered) {
          boxes.push_back(MessageBoxContent(box));
          if (whileAsking) whileAsking();
        }
        answered = box;
        PostMessageW(answer, BM_CLICK, 0, 0);
        Sleep(50);
        continue;
      }
      Sleep(5);
    }
  });
  action();
  finished = true;
  helper.join();
  return boxes;
}
