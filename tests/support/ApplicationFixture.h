// The program's Application made in the test's own process on a prepared Data.ini in a test
// folder: the base of the tests that drive the main window and its commands.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "tests/support/DataIniText.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "win32/Text.h"

class ApplicationFixture : public testing::Test {
 protected:
  TestFolder folder;
  std::wstring dataIni = folder.File(L"Data.ini");
  std::unique_ptr<Application> app;
  HWND mainWindow = nullptr;
  HWND list = nullptr;

  // Writes Data.ini and creates the main window on it; `prepare` may set the Application's
  // sources first. The caller lets the window's first messages run (PumpMessages).
  void CreateApplication(const TestSettings& settings, const std::vector<TestTask>& tasks,
                         const std::function<void(Application&)>& prepare = {}) {
    ASSERT_TRUE(WriteBytes(dataIni, DataIniText(settings, tasks)));
    app = std::make_unique<Application>();
    if (prepare) prepare(*app);
    ASSERT_TRUE(app->Start(ToUtf8(dataIni)));
    mainWindow = app->mainWindow().Handle();
    list = app->mainWindow().List().Handle();
    ASSERT_TRUE(mainWindow && list);
  }

  void TearDown() override {
    app.reset();  // destroys the window, which saves once
    PumpMessages();
  }

  // The window state the window's thread keeps in the store for the next save.
  WindowState StoredWindowState() {
    std::lock_guard lock(app->store().mutex);
    return app->store().window;
  }
};
