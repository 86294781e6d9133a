// Errors raised on the checker thread: shown on the window's thread, one box per failure
// however often the same failure repeats while its box waits or is open.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "app/Application.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "win32/Text.h"

namespace {

TEST(ReportError, RepeatedFailuresOfTheCheckerShowOneBoxEach) {
  TestFolder folder;
  Application app;
  // Without a Data.ini the autostart option reads as on: no shortcut in the real Startup folder.
  app.SetStartupFolderSource([] { return std::wstring(); });
  ASSERT_TRUE(app.Start(ToUtf8(folder.File(L"Data.ini"))));
  const std::vector<std::wstring> boxes = AnswerEveryMessageBox([&] {
    std::thread checker([&] {
      for (int i = 0; i < 5; ++i) app.platform().ReportError("Cannot create file C:\\a\\Data.ini");
      app.platform().ReportError("Stream write error");
    });
    checker.join();
    PumpUntil([] { return false; }, std::chrono::milliseconds(2000));
  });
  EXPECT_EQ(boxes, (std::vector<std::wstring>{L" Vornakel|Cannot create file C:\\a\\Data.ini.",
                                              L" Vornakel|Stream write error."}));
}

}  // namespace
