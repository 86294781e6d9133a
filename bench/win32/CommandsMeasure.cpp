// Measures the add command (OK pressed to row built and Data.ini written) and the delete
// command (Yes pressed to row gone and Data.ini written) with 1,000 and 10,000 tasks, through
// the real windows. Prints the figures; asserts nothing. Not part of the test run:
//   scripts/wine-run build/tests/win32/vornakel_commands_measure.exe
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "app/Application.h"
#include "core/DeleteTask.h"
#include "storage/DataFile.h"
#include "tests/support/DataIniText.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "win32/CommonControls.h"
#include "win32/Text.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Runs `action`; a helper waits for `ready`, stamps the time and runs `press`.
double TimeFromPress(const std::function<void()>& action, const std::function<HWND()>& ready,
                     const std::function<void(HWND)>& press) {
  std::atomic<int64_t> pressedAt{0};
  std::atomic<bool> finished{false};
  std::thread helper([&] {
    while (!finished) {
      if (HWND target = ready()) {
        if (pressedAt == 0) pressedAt = Clock::now().time_since_epoch().count();
        press(target);
        Sleep(20);
        continue;
      }
      Sleep(1);
    }
  });
  action();
  const auto end = Clock::now();
  finished = true;
  helper.join();
  return Milliseconds(end - Clock::time_point(Clock::duration(pressedAt.load())));
}

void Measure(int taskCount) {
  TestFolder folder;
  const std::wstring dataIni = folder.File(L"Data.ini");
  std::vector<TestTask> tasks(static_cast<size_t>(taskCount),
                              TestTask{.text = "Задание для замера", .status = 2});
  WriteBytes(dataIni, DataIniText({}, tasks));
  Application app;
  app.SetStartupFolderSource([] { return std::wstring(); });
  if (!app.Start(ToUtf8(dataIni))) return;
  app.checker().Stop();
  PumpMessages();
  std::vector<double> adds, deletes;
  // The rounds time an editor already made: its first opening also creates it.
  app.editor().EnsureCreated();
  for (int round = 0; round < 5; ++round) {
    HWND editor = app.editor().Handle();
    HWND ok = app.editor().Control(EditorControl::Ok);
    HWND messageField = app.editor().Control(EditorControl::Message);
    adds.push_back(TimeFromPress([&] { app.mainWindow().AddTask(); },
                                 [&]() -> HWND { return IsWindowVisible(editor) ? ok : nullptr; },
                                 [&](HWND button) {
                                   SendMessageW(messageField, WM_SETTEXT, 0,
                                                reinterpret_cast<LPARAM>(L"Новое"));
                                   PostMessageW(button, BM_CLICK, 0, 0);
                                 }));
    const HWND list = app.mainWindow().List().Handle();
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    deletes.push_back(TimeFromPress([&] { app.mainWindow().DeleteSelectedTask(); },
                                    [&]() -> HWND {
                                      HWND box = FindMessageBox(GetCurrentProcessId());
                                      return box && IsWindowVisible(box) ? box : nullptr;
                                    },
                                    [](HWND box) { PostMessageW(box, WM_COMMAND, IDYES, 0); }));
  }
  // Where a delete's time goes: the table and row model, the list control, the save.
  double table = 0, control = 0, save = 0;
  for (int round = 0; round < 5; ++round) {
    const auto t0 = Clock::now();
    {
      StoreLock lock(app.store().mutex);
      DeleteTask(app.store(), lock, app.platform(), 0, true);
    }
    const auto t1 = Clock::now();
    app.mainWindow().ApplyRowChanges();
    const auto t2 = Clock::now();
    {
      std::lock_guard lock(app.store().mutex);
      SaveData(app.store(), app.platform());
    }
    const auto t3 = Clock::now();
    table += Milliseconds(t1 - t0) / 5;
    control += Milliseconds(t2 - t1) / 5;
    save += Milliseconds(t3 - t2) / 5;
  }
  std::printf(
      "%6d tasks: delete parts, mean: table and rows %.2f ms, list control %.2f ms, "
      "save %.2f ms\n",
      taskCount, table, control, save);
  std::sort(adds.begin(), adds.end());
  std::sort(deletes.begin(), deletes.end());
  std::printf(
      "%6d tasks: add median %.1f ms (min %.1f, max %.1f); delete median %.1f ms "
      "(min %.1f, max %.1f); Data.ini %zu bytes\n",
      taskCount, adds[2], adds.front(), adds.back(), deletes[2], deletes.front(), deletes.back(),
      ReadBytes(dataIni).value_or("").size());
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  for (int count : {1000, 10000}) Measure(count);
  return 0;
}
