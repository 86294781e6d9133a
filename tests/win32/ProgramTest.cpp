// vornakel.exe itself, started in a folder of its own: the single-instance rule, a Data.ini it
// cannot read whole (reported, and never overwritten), and the save when its window closes.
#include <gtest/gtest.h>

#include "tests/support/DataIniText.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/RunningProgram.h"
#include "tests/support/TestFolder.h"
#include "win32/Handles.h"
#include "win32/Text.h"

namespace {

const std::vector<TestTask> kOneTask = {{.ssec = 30600, .text = "Позвонить\x01в банк"}};

TEST(Program, EndsAtOnceWhileAWindowOfItsClassAndTitleExists) {
  // Whichever program owns it: here a bare window of this test, hidden.
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TForm1";
  // The class may exist already, registered by the window tests of this process.
  const bool registered = RegisterClassW(&windowClass) != 0;
  HWND blocker = CreateWindowExW(0, L"TForm1", L" Vornakel", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(blocker);

  TestFolder folder;
  ASSERT_TRUE(WriteBytes(folder.File(L"Data.ini"), DataIniText({}, kOneTask)));
  RunningProgram program(folder);
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_EQ(ReadBytes(folder.File(L"Data.ini")), DataIniText({}, kOneTask));
  DestroyWindow(blocker);
  if (registered) UnregisterClassW(L"TForm1", GetModuleHandleW(nullptr));
}

TEST(Program, ASecondStartEndsAtOnceAndLeavesTheFirstAlone) {
  TestFolder firstFolder;
  ASSERT_TRUE(WriteBytes(firstFolder.File(L"Data.ini"), DataIniText({}, kOneTask)));
  RunningProgram first(firstFolder);
  ASSERT_TRUE(first.Start());
  HWND window = first.WaitForMainWindow();
  ASSERT_TRUE(window);

  TestFolder secondFolder;
  const std::string secondFile = DataIniText({.x = 10, .y = 10}, {});
  ASSERT_TRUE(WriteBytes(secondFolder.File(L"Data.ini"), secondFile));
  RunningProgram second(secondFolder);
  ASSERT_TRUE(second.Start());
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_EQ(ReadBytes(secondFolder.File(L"Data.ini")), secondFile);
  // The first one runs on, with its own window where it was, not brought forward.
  EXPECT_FALSE(first.WaitForExit(0));
  EXPECT_EQ(FindWindowA("TForm1", " Vornakel"), window);
  EXPECT_TRUE(IsWindowVisible(window));
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitForExit(), 0u);
}

struct UnreadableFile {
  const char* label;
  std::string file;
  const wchar_t* message;
};

TEST(Program, ReportsADataIniItCannotReadAndLeavesItAlone) {
  std::string badTask = DataIniText({}, {kOneTask[0], kOneTask[0]});
  badTask.replace(badTask.rfind("Mod=0"), 5, "Mod=1x");
  std::string negativeCount = DataIniText({}, {});
  negativeCount.replace(negativeCount.find("TasksN=0"), 8, "TasksN=-1");
  const UnreadableFile cases[] = {
      {"a setting", "[SETTINGS]\r\nWinW=abc\r\nTasksN=0\r\n",
       L" Vornakel|'abc' is not a valid integer value."},
      {"the second task", badTask, L" Vornakel|'1x' is not a valid integer value."},
      {"a negative task count", negativeCount, L" Vornakel|Range check error."},
  };
  for (const UnreadableFile& c : cases) {
    TestFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File(L"Data.ini"), c.file));
    RunningProgram program(folder);
    ASSERT_TRUE(program.Start()) << c.label;
    HWND box = program.WaitForMessageBox();
    ASSERT_TRUE(box) << c.label;
    EXPECT_EQ(MessageBoxContent(box), c.message) << c.label;
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(program.WaitForExit()) << c.label;
    EXPECT_EQ(ReadBytes(folder.File(L"Data.ini")), c.file) << c.label;
    EXPECT_EQ(folder.FileNames(), (std::vector<std::wstring>{L"Data.ini", L"vornakel.exe"}))
        << c.label;
  }
}

TEST(Program, WritesDataIniOnceWhenItsWindowCloses) {
  // A folder name that code page 1251 cannot spell: the program finds its folder all the same.
  TestFolder folder{L"Задачи-\u4E2D\u6587"};
  // Written by hand: other letter case, blanks, a section the program does not know.
  const std::string handWritten =
      "[settings]\r\n winx = 140\r\nWinY=90\r\nwinw=650\r\nWinH=510\r\nTray=0\r\nWinS=0\r\n"
      "TasksN=1\r\n[Notes]\r\nx=y\r\n[task0]\r\nSsec=30600\r\nTex=Позвонить\x01в банк\r\n";
  ASSERT_TRUE(WriteBytes(folder.File(L"Data.ini"), handWritten));
  RunningProgram program(folder);
  ASSERT_TRUE(program.Start());
  HWND window = program.WaitForMainWindow();
  ASSERT_TRUE(window);
  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, 140);
  EXPECT_EQ(frame.right - frame.left, 650);

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
  const auto saved = ReadBytes(folder.File(L"Data.ini"));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->rfind("[SETTINGS]\r\nWinX=140\r\nWinY=90\r\nWinW=650\r\nWinH=510\r\n", 0), 0u)
      << *saved;
  EXPECT_NE(saved->find("[TASK0]\r\nMod=0\r\nSsec=30600\r\n"), std::string::npos) << *saved;
  EXPECT_NE(saved->find("Tex=Позвонить\x01в банк\r\n"), std::string::npos) << *saved;
  EXPECT_EQ(saved->find("Notes"), std::string::npos);
  EXPECT_EQ(folder.FileNames(), (std::vector<std::wstring>{L"Data.ini", L"vornakel.exe"}));
}

}  // namespace
