#include "tests/win32/TestFolder.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "win32/Handles.h"

TestFolder::TestFolder(const std::wstring& nameHint) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  static std::atomic<unsigned> counter{0};
  for (;;) {
    path_ = std::wstring(temp) + nameHint + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    if (CreateDirectoryW(path_.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
}

TestFolder::~TestFolder() {
  for (const std::wstring& name : FileNames()) {
    const std::wstring file = File(name);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(file.c_str());
  }
  RemoveDirectoryW(path_.c_str());
}

std::vector<std::wstring> TestFolder::FileNames() const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  UniqueFindHandle search(FindFirstFileW((path_ + L"*").c_str(), &found));
  if (!search) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
  } while (FindNextFileW(search.get(), &found));
  std::sort(names.begin(), names.end());
  return names;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes(GetFileSize(file.get(), nullptr), '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    return std::nullopt;
  bytes.resize(read);
  return bytes;
}

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
