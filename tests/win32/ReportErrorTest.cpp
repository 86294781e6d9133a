// Errors raised on the checker thread: shown on the window's thread, one box per failure
// however often the same failure repeats while its box waits or is open.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "app/Application.h"
#include "tests/win32/TestFolder.h"
#include "win32/Text.h"

namespace {

// Answers every message box of this process for `duration`, collecting their contents.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(std::chrono::milliseconds duration)
      : thread_([this, duration] {
          const auto end = std::chrono::steady_clock::now() + duration;
          while (std::chrono::steady_clock::now() < end) {
            if (HWND box = FindMessageBox(GetCurrentProcessId())) {
              contents_.push_back(MessageBoxContent(box));
              // The button may not be ready when the box is first seen: answer until it hides.
              while (IsWindow(box) && IsWindowVisible(box)) {
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                Sleep(20);
              }
            }
            Sleep(10);
          }
        }) {}
  std::vector<std::wstring> Join() {
    thread_.join();
    return contents_;
  }

 private:
  std::vector<std::wstring> contents_;
  std::thread thread_;
};

TEST(ReportError, RepeatedFailuresOfTheCheckerShowOneBoxEach) {
  TestFolder folder;
  Application app;
  // Without a Data.ini the autostart option reads as on: no shortcut in the real Startup folder.
  app.SetStartupFolderSource([] { return std::wstring(); });
  ASSERT_TRUE(app.FormCreate(ToCp1251(folder.File(L"Data.ini"))));
  BoxAnswerer answerer(std::chrono::milliseconds(2500));
  std::thread checker([&] {
    for (int i = 0; i < 5; ++i) app.GetPlatform().ReportError("Cannot create file C:\\a\\Data.ini");
    app.GetPlatform().ReportError("Stream write error");
  });
  checker.join();
  PumpUntil([] { return false; }, std::chrono::milliseconds(2000));
  const std::vector<std::wstring> boxes = answerer.Join();
  EXPECT_EQ(boxes, (std::vector<std::wstring>{L" Vornakel|Cannot create file C:\\a\\Data.ini.",
                                              L" Vornakel|Stream write error."}));
}

}  // namespace
