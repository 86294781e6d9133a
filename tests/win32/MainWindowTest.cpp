// The main window as the program creates it from a prepared Data.ini: its class and title,
// The task list's styles, columns and cells, the geometry, and the store's copy of the window state
// that saves on any thread rely on.
#include <gtest/gtest.h>

#include <thread>

#include "core/DeleteTask.h"
#include "core/RowTexts.h"
#include "storage/DataFile.h"
#include "tests/support/ApplicationFixture.h"
#include "tests/support/DataIniText.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "win32/CommonControls.h"
#include "win32/Text.h"

namespace {

const std::vector<TestTask> kThreeTasks = {
    {.recurrence = 0, .ssec = 30600, .text = "Позвонить\x01в банк"},
    {.recurrence = 10,
     .ssec = 45000,
     .year = 2024,
     .month = 5,
     .day = 15,
     .text = "Забрать посылку",
     .deleteAfter = true,
     .sound = false,
     .status = 0},
    {.recurrence = 9,
     .ssec = 32400,
     .month = 12,
     .day = 31,
     .text = "С Новым годом! №1",
     .runFile = true,
     .status = 3,
     .fileName = "C:\\Программы\\открытка.exe"},
};

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring Title(HWND window) {
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  return title;
}

std::wstring CellText(HWND list, int row, int column) {
  wchar_t text[512] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 512;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::wstring ColumnCaption(HWND list, int column) {
  wchar_t text[64] = {};
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT;
  info.pszText = text;
  info.cchTextMax = 64;
  SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
  return text;
}

int ItemCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

int SelectedRow(HWND list) {
  return static_cast<int>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectRow(HWND list, int row) {
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

void SendMouse(DWORD flags, POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  PumpUntil([] { return false; }, std::chrono::milliseconds(30));
}

// Drags the right border of a column's header by `dx` pixels with the mouse, as a user does.
void DragColumnBorder(HWND list, int column, int dx) {
  const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  RECT item{};
  SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
  POINT border{item.right - 1, (item.top + item.bottom) / 2};
  ClientToScreen(header, &border);
  SetForegroundWindow(GetAncestor(list, GA_ROOT));
  SendMouse(0, border);
  SendMouse(MOUSEEVENTF_LEFTDOWN, border);
  for (int step = 1; step <= 4; ++step) SendMouse(0, POINT{border.x + dx * step / 4, border.y});
  SendMouse(MOUSEEVENTF_LEFTUP, POINT{border.x + dx, border.y});
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

class MainWindow : public ApplicationFixture {
 protected:
  void Start(const TestSettings& settings, const std::vector<TestTask>& tasks) {
    ASSERT_NO_FATAL_FAILURE(CreateApplication(settings, tasks));
    PumpMessages();
  }
};

TEST_F(MainWindow, IsFoundByClassAndTitle) {
  Start({}, {});
  EXPECT_EQ(ClassName(mainWindow), L"TForm1");
  EXPECT_EQ(Title(mainWindow), L" Vornakel");
  EXPECT_EQ(FindWindowA("TForm1", " Vornakel"), mainWindow);
  EXPECT_TRUE(IsWindowVisible(mainWindow));
}

TEST_F(MainWindow, UsesTheProgramsResources) {
  Start({}, {});
  // The manifest asks for the common controls of version 6, which live side by side.
  HMODULE controls = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(GetWindowLongPtrW(list, GWLP_WNDPROC)), &controls);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(controls, path, MAX_PATH);
  EXPECT_NE(std::wstring(path).find(L"winsxs"), std::wstring::npos) << std::wstring(path);
  EXPECT_TRUE(LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"));
  EXPECT_TRUE(GetClassLongPtrW(mainWindow, GCLP_HICON));
}

TEST_F(MainWindow, ListHasTheStylesOfATaskList) {
  Start({}, {});
  EXPECT_EQ(ClassName(list), L"SysListView32");
  const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  for (LONG_PTR wanted : {LONG_PTR{LVS_OWNERDATA}, LONG_PTR{LVS_SINGLESEL},
                          LONG_PTR{LVS_NOSORTHEADER}, LONG_PTR{WS_VISIBLE}})
    EXPECT_TRUE(style & wanted) << std::hex << wanted;
  for (LONG_PTR unwanted : {LONG_PTR{LVS_EDITLABELS}, LONG_PTR{WS_BORDER}, LONG_PTR{WS_DLGFRAME}})
    EXPECT_FALSE(style & unwanted) << std::hex << unwanted;
  EXPECT_FALSE(GetWindowLongPtrW(list, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
  const LRESULT extended = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
  EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);

  LOGFONTW font{};
  const auto listFont = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
  ASSERT_TRUE(GetObjectW(listFont, sizeof font, &font));
  EXPECT_EQ(std::wstring(font.lfFaceName), L"Arial");
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_EQ(font.lfHeight, -15);
}

TEST_F(MainWindow, ColumnsHaveTheirCaptionsAndTheStoredWidths) {
  TestSettings settings;
  Start(settings, kThreeTasks);
  const wchar_t* captions[] = {L"№", L"Сообщение", L"Момент выполнения", L"Действие", L"Статус"};
  for (int column = 0; column < 5; ++column) {
    EXPECT_EQ(ColumnCaption(list, column), captions[column]);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0), settings.widths[column]);
    EXPECT_EQ(StoredWindowState().columnWidths[static_cast<size_t>(column)],
              settings.widths[column]);
  }
  // Drawn again after the widths were set: a row drawn anew asks for painting.
  UpdateWindow(list);
  SendMessageW(list, LVM_REDRAWITEMS, 0, 0);
  EXPECT_TRUE(GetUpdateRect(list, nullptr, FALSE));
}

TEST_F(MainWindow, RowsShowTheLoadedTasks) {
  Start({}, kThreeTasks);
  ASSERT_EQ(ItemCount(list), 3);
  const wchar_t* expected[3][5] = {
      {L"1", L"Позвонить в банк", L"Ежедневно в 08:30:00", L"Показать сообщение, звуковой сигнал",
       L"Активно"},
      {L"2", L"Забрать посылку", L"15 мая 2024 года в 12:30:00",
       L"Показать сообщение и удалить задание", L"Выполнено"},
      {L"3", L"С Новым годом! №1", L"31 декабря ежегодно  в 09:00:00",
       L"Показать сообщение, звуковой сигнал и запустить C:\\Программы\\открытка.exe",
       L"Выполнено на сегодня"},
  };
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 5; ++column)
      EXPECT_EQ(CellText(list, row, column), expected[row][column]) << row << "," << column;
}

TEST_F(MainWindow, ManyTasksAllGetTheirRows) {
  std::vector<TestTask> tasks(3000, TestTask{.text = "Задание"});
  tasks.back().text = "Последнее";
  Start({}, tasks);
  EXPECT_EQ(ItemCount(list), 3000);
  EXPECT_EQ(CellText(list, 2999, 0), L"3000");
  EXPECT_EQ(CellText(list, 2999, 1), L"Последнее");
}

TEST_F(MainWindow, TakesTheStoredGeometryAndLaysOutTheList) {
  TestSettings settings{.x = 130, .y = 90, .width = 640, .height = 500};
  Start(settings, kThreeTasks);
  const RECT frame = WindowRect(mainWindow);
  EXPECT_EQ(frame.left, 130);
  EXPECT_EQ(frame.top, 90);
  EXPECT_EQ(frame.right - frame.left, 640);
  EXPECT_EQ(frame.bottom - frame.top, 500);
  EXPECT_FALSE(IsZoomed(mainWindow));

  // The list fills the client area above the 31 pixels left for the buttons.
  RECT client{};
  GetClientRect(mainWindow, &client);
  RECT listRect = WindowRect(list);
  MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&listRect), 2);
  EXPECT_EQ(listRect.left, 0);
  EXPECT_EQ(listRect.top, 0);
  EXPECT_EQ(listRect.right, client.right);
  EXPECT_EQ(listRect.bottom, client.bottom - 31);

  const WindowState state = StoredWindowState();
  EXPECT_TRUE(state.known);
  EXPECT_FALSE(state.maximised);
  EXPECT_EQ(state.x, 130);
  EXPECT_EQ(state.y, 90);
  EXPECT_EQ(state.width, 640);
  EXPECT_EQ(state.height, 500);
}

TEST_F(MainWindow, OpensMaximisedOverTheStoredNormalGeometry) {
  TestSettings settings{.x = 110, .y = 70, .width = 600, .height = 495, .winMax = true};
  Start(settings, {});
  EXPECT_TRUE(IsZoomed(mainWindow));
  EXPECT_TRUE(IsWindowVisible(mainWindow));
  WindowState state = StoredWindowState();
  EXPECT_TRUE(state.maximised);
  EXPECT_EQ(state.x, 110);
  EXPECT_EQ(state.width, 600);

  // Restoring returns to the stored geometry.
  ShowWindow(mainWindow, SW_RESTORE);
  PumpMessages();
  const RECT frame = WindowRect(mainWindow);
  EXPECT_EQ(frame.left, 110);
  EXPECT_EQ(frame.top, 70);
  EXPECT_EQ(frame.right - frame.left, 600);
  EXPECT_EQ(frame.bottom - frame.top, 495);
  state = StoredWindowState();
  EXPECT_FALSE(state.maximised);
  EXPECT_EQ(state.y, 70);
  EXPECT_EQ(state.height, 495);
}

TEST_F(MainWindow, KeepsTheStoredWindowStateCurrent) {
  Start({}, {});
  SetWindowPos(mainWindow, nullptr, 50, 60, 720, 560, SWP_NOZORDER);
  WindowState state = StoredWindowState();
  EXPECT_EQ(state.x, 50);
  EXPECT_EQ(state.y, 60);
  EXPECT_EQ(state.width, 720);
  EXPECT_EQ(state.height, 560);

  // Maximised or minimised, the normal geometry stays the one last seen.
  ShowWindow(mainWindow, SW_MAXIMIZE);
  state = StoredWindowState();
  EXPECT_TRUE(state.maximised);
  EXPECT_EQ(state.x, 50);
  EXPECT_EQ(state.width, 720);
  ShowWindow(mainWindow, SW_MINIMIZE);
  state = StoredWindowState();
  EXPECT_TRUE(state.maximised);
  EXPECT_EQ(state.x, 50);
  ShowWindow(mainWindow, SW_RESTORE);
  ShowWindow(mainWindow, SW_RESTORE);
  EXPECT_FALSE(StoredWindowState().maximised);

  // The user drags a column border.
  const int before = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0));
  DragColumnBorder(list, 1, 60);
  const int after = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0));
  EXPECT_EQ(after, before + 60);
  EXPECT_EQ(StoredWindowState().columnWidths[1], after);
}

TEST_F(MainWindow, CannotBeMadeSmallerThan490Square) {
  Start({}, {});
  MINMAXINFO limits{};
  SendMessageW(mainWindow, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, 490);
  EXPECT_EQ(limits.ptMinTrackSize.y, 490);
}

// Changes of the table made on another thread reach the list through the window's mailbox, in
// their order.
TEST_F(MainWindow, FollowsChangesMadeOnAnotherThread) {
  Start({}, kThreeTasks);
  SelectRow(list, 2);
  Store& store = app->store();
  Win32Platform& platform = app->platform();

  std::thread checker([&] {
    StoreLock lock(store.mutex);
    DeleteTask(store, lock, platform, 0, true);
    store.tasks[1].status = StatusActive;  // re-activated, as the checker does
    store.rows.CellChanged(1, ColumnStatus);
    Task added;
    added.message = "Новое";
    added.status = StatusPaused;
    store.tasks.push_back(added);
    BuildRow(store, 2, true);
    platform.RowsChanged();
  });
  checker.join();
  ASSERT_TRUE(PumpUntil([&] { return ItemCount(list) == 3; }));

  EXPECT_EQ(CellText(list, 0, 0), L"1");
  EXPECT_EQ(CellText(list, 0, 1), L"Забрать посылку");
  EXPECT_EQ(CellText(list, 1, 0), L"2");
  EXPECT_EQ(CellText(list, 1, 4), L"Активно");
  EXPECT_EQ(CellText(list, 2, 0), L"3");
  EXPECT_EQ(CellText(list, 2, 1), L"Новое");
  EXPECT_EQ(CellText(list, 2, 4), L"Приостановлено");
  // The selection stayed on its task, which moved up one row.
  EXPECT_EQ(SelectedRow(list), 1);

  // A later change reaches the list too.
  std::thread again([&] {
    StoreLock lock(store.mutex);
    DeleteTask(store, lock, platform, 0, true);
  });
  again.join();
  EXPECT_TRUE(PumpUntil([&] { return ItemCount(list) == 2; }));
}

TEST_F(MainWindow, DeletingTheSelectedTaskLeavesNoRowSelected) {
  Start({}, kThreeTasks);
  SelectRow(list, 1);
  {
    StoreLock lock(app->store().mutex);
    DeleteTask(app->store(), lock, app->platform(), 1, true);
  }
  ASSERT_TRUE(PumpUntil([&] { return ItemCount(list) == 2; }));
  EXPECT_EQ(SelectedRow(list), -1);
  EXPECT_EQ(CellText(list, 1, 1), L"С Новым годом! №1");
}

TEST_F(MainWindow, DestroyingTheWindowSavesItsGeometryAndColumns) {
  Start({}, kThreeTasks);
  SetWindowPos(mainWindow, nullptr, 33, 44, 655, 566, SWP_NOZORDER);
  DragColumnBorder(list, 3, -30);
  ASSERT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 3, 0), 130);
  DestroyWindow(mainWindow);
  const auto saved = ReadBytes(dataIni);
  ASSERT_TRUE(saved);
  for (const char* line : {"WinX=33\r\n", "WinY=44\r\n", "WinW=655\r\n", "WinH=566\r\n",
                           "WinMax=0\r\n", "Ln3=130\r\n", "TasksN=3\r\n"})
    EXPECT_NE(saved->find(line), std::string::npos) << line;
  EXPECT_EQ(folder.FileNames(), std::vector<std::wstring>{L"Data.ini"});
}

TEST_F(MainWindow, AFinalSaveThatFailsIsReportedAndChangesNothing) {
  Start({}, kThreeTasks);
  const std::string before = *ReadBytes(dataIni);
  ASSERT_TRUE(SetFileAttributesW(dataIni.c_str(), FILE_ATTRIBUTE_READONLY));
  const auto content = AnswerMessageBox([&] { app.reset(); }, IDOK);
  EXPECT_EQ(content, L" Vornakel|Cannot create file " + dataIni + L".");
  EXPECT_EQ(ReadBytes(dataIni), before);
  EXPECT_EQ(folder.FileNames(), std::vector<std::wstring>{L"Data.ini"});
}

TEST(Win32Platform, ShowsErrorsOfOtherThreadsOnTheWindowsThread) {
  TestFolder folder;
  Application app;
  // Without a Data.ini the autostart option reads as on: no shortcut in the real Startup folder.
  app.SetStartupFolderSource([] { return std::wstring(); });
  ASSERT_TRUE(app.Start(ToUtf8(folder.File(L"Data.ini"))));
  const auto content = AnswerMessageBox(
      [&] {
        std::thread saver([&] { app.platform().ShowError("Cannot create file C:\\Данные.ini"); });
        saver.join();  // returns at once: the box is the window's business
        PumpUntil([&] { return false; }, std::chrono::milliseconds(300));
      },
      IDOK);
  EXPECT_EQ(content, L" Vornakel|Cannot create file C:\\Данные.ini.");
}

TEST(Win32Platform, AsksYesOrNo) {
  Win32Platform platform;
  for (const auto& [button, answer] : {std::pair{IDYES, true}, std::pair{IDNO, false}}) {
    bool result = !answer;
    const auto content = AnswerMessageBox(
        [&] {
          result = platform.AskYesNo("Удалить задание № 2 ?", "Подтвердите удаление задания");
        },
        button);
    EXPECT_EQ(result, answer);
    EXPECT_EQ(content, L"Подтвердите удаление задания|Удалить задание № 2 ?");
  }
}

}  // namespace
