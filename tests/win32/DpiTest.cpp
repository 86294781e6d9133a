// The windows at the screen's density and after a move to a screen of another one: sizes,
// places, fonts, column widths and the minimum size scale with the density, while Data.ini keeps
// the geometry at 96 dots per inch. The same tests run at the prefix's usual 96 and, through
// run_at_dpi.sh, in a process started at 144 (VORNAKEL_TEST_DPI names the density expected).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "app/Application.h"
#include "tests/support/ApplicationFixture.h"
#include "tests/support/DataIniText.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/RunningProgram.h"
#include "tests/support/TestFolder.h"
#include "ui/shared/DpiScale.h"
#include "win32/CommonControls.h"
#include "win32/Dpi.h"
#include "win32/Handles.h"
#include "win32/Text.h"

namespace {

// The density the process was started at, and another one its windows are moved to (at 144
// the other is 120: at 192 the main window would not fit the 1024 × 768 desktop).
int StartDpi() { return SystemDpi(); }
int OtherDpi() { return StartDpi() == 144 ? 120 : 144; }

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// A child's rectangle in its parent's client area.
RECT ChildRect(HWND child) {
  RECT rect = WindowRect(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT ScaledPlace(int left, int top, int width, int height, int dpi) {
  const int x = ScaleToDpi(left, dpi);
  const int y = ScaleToDpi(top, dpi);
  return {x, y, x + ScaleToDpi(width, dpi), y + ScaleToDpi(height, dpi)};
}

// LOGFONT height of the font a control draws with.
LONG FontHeight(HWND control) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  LOGFONTW info{};
  if (!font || !GetObjectW(font, sizeof info, &info)) return 0;
  return info.lfHeight;
}

POINT MinimumTrackSize(HWND window) {
  MINMAXINFO limits{};
  SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  return limits.ptMinTrackSize;
}

void SendDpiChanged(HWND window, int dpi, RECT suggested) {
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  PumpMessages();
}

::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected) {
  if (EqualRect(&actual, &expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << actual.left << ", " << actual.top << ")-(" << actual.right << ", "
         << actual.bottom << ") instead of (" << expected.left << ", " << expected.top << ")-("
         << expected.right << ", " << expected.bottom << ")";
}

TEST(Dpi, ProcessRunsAtTheRequestedDensity) {
  // Every Wine test assumes the prefix's 96 unless its runner asked for another density.
  const char* requested = std::getenv("VORNAKEL_TEST_DPI");
  const int expected = requested ? std::atoi(requested) : 96;
  EXPECT_EQ(StartDpi(), expected);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), expected);
  ReleaseDC(nullptr, screen);
}

class DpiWindows : public ApplicationFixture {
 protected:
  // Small enough to fit the 1024 × 768 desktop at 144 dots per inch, where 718 × 538 would not.
  TestSettings settings{.x = 10, .y = 12, .width = 600, .height = 500};

  void Start() {
    ASSERT_NO_FATAL_FAILURE(CreateApplication(settings, {{.ssec = 30600, .text = "Обед"}}));
    PumpMessages();
  }

  void ExpectMainWindowLaidOutFor(int dpi) {
    EXPECT_EQ(FontHeight(list), -ScaleToDpi(15, dpi));
    for (int column = 0; column < ColumnCount; ++column)
      EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0),
                ScaleToDpi(settings.widths[column], dpi))
          << "column " << column;
    const POINT minimum = MinimumTrackSize(mainWindow);
    EXPECT_EQ(minimum.x, ScaleToDpi(490, dpi));
    EXPECT_EQ(minimum.y, ScaleToDpi(490, dpi));
    RECT client{};
    GetClientRect(mainWindow, &client);
    EXPECT_TRUE(
        SameRect(ChildRect(list), {0, 0, client.right, client.bottom - ScaleToDpi(31, dpi)}));
    const int buttonTop = client.bottom - ScaleToDpi(27, dpi);
    const HWND button1 = app->mainWindow().AddButton();
    EXPECT_TRUE(SameRect(ChildRect(button1),
                         {ScaleToDpi(3, dpi), buttonTop, ScaleToDpi(3, dpi) + ScaleToDpi(151, dpi),
                          buttonTop + ScaleToDpi(25, dpi)}));
    EXPECT_EQ(FontHeight(button1), -ScaleToDpi(15, dpi));
  }

  void ExpectStoredAt96(int x, int y) {
    const WindowState stored = StoredWindowState();
    EXPECT_EQ(stored.x, x);
    EXPECT_EQ(stored.y, y);
    EXPECT_EQ(stored.width, settings.width);
    EXPECT_EQ(stored.height, settings.height);
    for (int column = 0; column < ColumnCount; ++column)
      EXPECT_EQ(stored.columnWidths[column], settings.widths[column]) << "column " << column;
  }
};

TEST_F(DpiWindows, MainWindowShowsTheStoredGeometryScaledAndSavesItAt96) {
  Start();
  const int dpi = StartDpi();
  EXPECT_TRUE(SameRect(WindowRect(mainWindow), ScaledPlace(10, 12, 600, 500, dpi)));
  ExpectMainWindowLaidOutFor(dpi);
  ExpectStoredAt96(10, 12);

  app.reset();  // the final save
  const auto saved = ReadBytes(dataIni);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->rfind("[SETTINGS]\r\nWinX=10\r\nWinY=12\r\nWinW=600\r\nWinH=500\r\n", 0), 0u)
      << *saved;
  EXPECT_NE(saved->find("Ln0=40\r\nLn1=250\r\nLn2=190\r\nLn3=160\r\nLn4=95\r\n"), std::string::npos)
      << *saved;
}

TEST_F(DpiWindows, MainWindowCannotBeMadeSmallerThanTheScaledMinimum) {
  Start();
  SetWindowPos(mainWindow, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages();
  const RECT frame = WindowRect(mainWindow);
  EXPECT_EQ(frame.right - frame.left, ScaleToDpi(490, StartDpi()));
  EXPECT_EQ(frame.bottom - frame.top, ScaleToDpi(490, StartDpi()));
  EXPECT_EQ(StoredWindowState().width, 490);
  EXPECT_EQ(StoredWindowState().height, 490);
}

TEST_F(DpiWindows, MainWindowMovedToAnotherDensityAndBack) {
  Start();
  const int other = OtherDpi();
  // A screen to the left of the primary one: negative positions.
  const RECT there = ScaledPlace(-700, 30, 600, 500, other);
  SendDpiChanged(mainWindow, other, there);
  EXPECT_TRUE(SameRect(WindowRect(mainWindow), there));
  ExpectMainWindowLaidOutFor(other);
  // The size is kept at 96; the position so that the next start, which scales it by the
  // density it starts at, puts the window back on that screen.
  const WindowState stored = StoredWindowState();
  EXPECT_NEAR(ScaleToDpi(stored.x, StartDpi()), there.left, 1);
  EXPECT_NEAR(ScaleToDpi(stored.y, StartDpi()), there.top, 1);
  EXPECT_EQ(stored.width, settings.width);
  EXPECT_EQ(stored.height, settings.height);

  // Back on the first screen everything is as it was, the column widths to the pixel.
  const RECT back = ScaledPlace(10, 12, 600, 500, StartDpi());
  SendDpiChanged(mainWindow, StartDpi(), back);
  EXPECT_TRUE(SameRect(WindowRect(mainWindow), back));
  ExpectMainWindowLaidOutFor(StartDpi());
  ExpectStoredAt96(10, 12);
}

TEST_F(DpiWindows, AColumnDraggedOnAScaledScreenIsStoredAt96) {
  Start();
  const int other = OtherDpi();
  SendDpiChanged(mainWindow, other, ScaledPlace(10, 12, 600, 500, other));
  // What the header reports when a drag ends.
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  item.cxy = ScaleToDpi(300, other);
  NMHEADERW track{};
  track.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  track.hdr.code = HDN_ENDTRACKW;
  track.iItem = 1;
  track.pitem = &item;
  SendMessageW(mainWindow, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track));
  EXPECT_EQ(StoredWindowState().columnWidths[1], 300);
  EXPECT_EQ(StoredWindowState().columnWidths[0], 40);
}

TEST_F(DpiWindows, PopupIsSizedForItsScreenAndReplacedOnAnother) {
  Start();
  const int dpi = StartDpi();
  const HWND popup = app->popups().ShowReminder(" 08:30:00", "Обед");
  ASSERT_TRUE(popup);
  const RECT frame = WindowRect(popup);
  EXPECT_EQ(frame.right - frame.left, ScaleToDpi(300, dpi));
  EXPECT_EQ(frame.bottom - frame.top, ScaleToDpi(300, dpi));
  const HWND message = FindWindowExW(popup, nullptr, L"Edit", nullptr);
  const HWND ok = FindWindowExW(popup, nullptr, L"Button", nullptr);
  ASSERT_TRUE(message && ok);
  EXPECT_TRUE(SameRect(ChildRect(message), ScaledPlace(4, 4, 286, 232, dpi)));
  EXPECT_TRUE(SameRect(ChildRect(ok), ScaledPlace(95, 244, 110, 25, dpi)));
  EXPECT_EQ(FontHeight(ok), ScaleToDpi(18, dpi));
  // The whole OK button lies inside the client area.
  RECT client{};
  GetClientRect(popup, &client);
  EXPECT_LE(ChildRect(ok).bottom, client.bottom);

  const int other = OtherDpi();
  const RECT there = ScaledPlace(100, 100, 300, 300, other);
  SendDpiChanged(popup, other, there);
  EXPECT_TRUE(SameRect(WindowRect(popup), there));
  EXPECT_TRUE(SameRect(ChildRect(message), ScaledPlace(4, 4, 286, 232, other)));
  EXPECT_TRUE(SameRect(ChildRect(ok), ScaledPlace(95, 244, 110, 25, other)));
  EXPECT_EQ(FontHeight(message), ScaleToDpi(18, other));
  EXPECT_EQ(FontHeight(ok), ScaleToDpi(18, other));
  SendMessageW(ok, BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(popup));
}

TEST_F(DpiWindows, SettingsDialogAndEditorAreLaidOutForTheirDensity) {
  Start();
  SettingsDialog& form3 = app->settingsDialog();
  TaskEditor& form2 = app->editor();
  // Created as their first opening creates them.
  ASSERT_TRUE(form3.EnsureCreated() && form2.EnsureCreated());
  struct ControlCase {
    HWND control;
    RECT place;  // left, top, width, height at 96
    int fontPixels;
  };
  const ControlCase controls[] = {
      {form3.Control(SettingsControl::StartWithWindows), {10, 14, 237, 17}, 13},
      {form3.Control(SettingsControl::Cancel), {131, 104, 75, 25}, 13},
      {form2.Control(EditorControl::Message), {8, 26, 146, 222}, 15},
      {form2.Control(EditorControl::ChooseFile), {586, 148, 72, 24}, 13},
      {form2.Control(EditorControl::ShutDown), {446, 206, 212, 20}, 13},
      {form2.Control(EditorControl::Year), {172, 228, 46, 22}, 13},
  };
  auto expectControlsAt = [&](int dpi) {
    for (const ControlCase& c : controls) {
      const RECT& p = c.place;
      EXPECT_TRUE(
          SameRect(ChildRect(c.control), ScaledPlace(p.left, p.top, p.right, p.bottom, dpi)))
          << "control " << GetDlgCtrlID(c.control) << " at " << dpi;
      EXPECT_EQ(FontHeight(c.control), -ScaleToDpi(c.fontPixels, dpi))
          << "control " << GetDlgCtrlID(c.control) << " at " << dpi;
    }
  };

  // Created at the start density: client areas of the scaled size.
  RECT client{};
  GetClientRect(form3.Handle(), &client);
  EXPECT_EQ(client.right, ScaleToDpi(257, StartDpi()));
  EXPECT_EQ(client.bottom, ScaleToDpi(148, StartDpi()));
  GetClientRect(form2.Handle(), &client);
  EXPECT_EQ(client.right, ScaleToDpi(676, StartDpi()));
  EXPECT_EQ(client.bottom, ScaleToDpi(292, StartDpi()));
  // The editor fits the 1024 × 768 desktop above its taskbar.
  const RECT outer = WindowRect(form2.Handle());
  EXPECT_LE(outer.right - outer.left, 1024);
  EXPECT_LE(outer.bottom - outer.top, 748);
  expectControlsAt(StartDpi());

  for (int dpi : {OtherDpi(), StartDpi()}) {
    const RECT settingsThere = ScaledPlace(20, 20, 263, 175, dpi);
    const RECT editorThere = ScaledPlace(40, 40, 682, 319, dpi);
    SendDpiChanged(form3.Handle(), dpi, settingsThere);
    SendDpiChanged(form2.Handle(), dpi, editorThere);
    EXPECT_TRUE(SameRect(WindowRect(form3.Handle()), settingsThere));
    EXPECT_TRUE(SameRect(WindowRect(form2.Handle()), editorThere));
    expectControlsAt(dpi);
  }
}

TEST(DpiProgram, ShowsTheStoredGeometryScaledAndWritesItBackAt96) {
  TestFolder folder;
  const TestSettings settings{
      .x = 30, .y = 20, .width = 620, .height = 510, .widths = {36, 240, 200, 150, 101}};
  ASSERT_TRUE(WriteBytes(folder.File(L"Data.ini"),
                         DataIniText(settings, {{.ssec = 30600, .text = "Обед"}})));
  // The real program, started in a folder of its own at this process's density.
  RunningProgram program(folder);
  ASSERT_TRUE(program.Start());
  HWND window = program.WaitForMainWindow();
  ASSERT_TRUE(window);
  const int dpi = StartDpi();
  EXPECT_TRUE(SameRect(WindowRect(window), ScaledPlace(30, 20, 620, 510, dpi)));
  const HWND list = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
  ASSERT_TRUE(list);
  for (int column = 0; column < ColumnCount; ++column)
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0),
              ScaleToDpi(settings.widths[column], dpi))
        << "column " << column;
  EXPECT_EQ(MinimumTrackSize(window).x, ScaleToDpi(490, dpi));

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit().has_value());
  const auto saved = ReadBytes(folder.File(L"Data.ini"));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->rfind("[SETTINGS]\r\nWinX=30\r\nWinY=20\r\nWinW=620\r\nWinH=510\r\n", 0), 0u)
      << *saved;
  EXPECT_NE(saved->find("Ln0=36\r\nLn1=240\r\nLn2=200\r\nLn3=150\r\nLn4=101\r\n"),
            std::string::npos)
      << *saved;
}

}  // namespace
