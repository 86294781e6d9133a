// Errors raised on the checker thread: shown on the window's thread, one box per failure
// however often the same failure repeats while its box waits or is open.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "app/Application.h"
#include "core/RowTexts.h"
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

// A box waiting for its answer holds up nothing posted behind it: the list follows a change made
// after the failure while the box is still open.
TEST(ReportError, WhatComesAfterAnOpenBoxRunsMeanwhile) {
  TestFolder folder;
  Application app;
  app.SetStartupFolderSource([] { return std::wstring(); });
  ASSERT_TRUE(app.Start(ToUtf8(folder.File(L"Data.ini"))));
  const HWND list = app.mainWindow().List().Handle();
  bool followedWhileOpen = false;
  const auto rowsShown = [&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 1; };
  AnswerEveryMessageBox(
      [&] {
        std::thread checker([&] {
          app.platform().ReportError("Stream write error");
          {
            StoreLock lock(app.store().mutex);
            app.store().tasks.emplace_back();
            BuildRow(app.store(), 0, true);
          }
          app.platform().RowsChanged();
        });
        checker.join();
        PumpUntil([] { return false; }, std::chrono::milliseconds(500));
      },
      IDOK,
      [&] {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!(followedWhileOpen = rowsShown()) && std::chrono::steady_clock::now() < giveUp)
          Sleep(10);
      });
  EXPECT_TRUE(followedWhileOpen);
}

}  // namespace
