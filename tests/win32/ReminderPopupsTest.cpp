// The reminder popup: its class, styles, children, colours and font, where it opens, OK, and the
// cascade of places, which never leaves the work area.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "ui/popup/ReminderPopups.h"
#include "win32/Text.h"

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

RECT WorkArea() {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

class Popup : public testing::Test {
 protected:
  ReminderPopups popups;
  std::vector<HWND> opened;

  void SetUp() override { popups.RegisterPopupClass(); }
  void TearDown() override {
    for (HWND popup : opened)
      if (IsWindow(popup)) DestroyWindow(popup);
    popups.UnregisterPopupClass();
    PumpMessages();
  }
  HWND Open(const std::string& caption, const std::string& text) {
    HWND popup = popups.ShowReminder(caption, text);
    opened.push_back(popup);
    PumpMessages();
    return popup;
  }
  void PressOk(HWND popup) {
    const std::vector<HWND> children = ChildrenOf(popup);
    ASSERT_EQ(children.size(), 4u);
    SendMessageW(children[1], BM_CLICK, 0, 0);
    PumpMessages();
  }
};

TEST_F(Popup, HasItsClassStylesAndChildren) {
  const HWND popup = Open(" 15 мая 2024 года в 12:30:00", "Забрать посылку\r\nдо обеда");
  ASSERT_TRUE(popup);
  EXPECT_EQ(ClassOf(popup), L"MyVornakelClass");
  EXPECT_EQ(TextOf(popup), L"  15 мая 2024 года в 12:30:00");
  EXPECT_EQ(GetWindowLongW(popup, GWL_EXSTYLE) & 0xFF, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  const DWORD style = GetWindowLongW(popup, GWL_STYLE);
  // The system adds WS_CLIPSIBLINGS to every top-level window with a caption.
  EXPECT_EQ(style & ~WS_CLIPSIBLINGS, 0x90C00000u) << std::hex << style;
  EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_FALSE(GetParent(popup));
  EXPECT_FALSE(GetWindow(popup, GW_OWNER));

  WNDCLASSW windowClass{};
  ASSERT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), L"MyVornakelClass", &windowClass));
  EXPECT_EQ(windowClass.style, 0u);
  EXPECT_EQ(windowClass.hbrBackground, reinterpret_cast<HBRUSH>(16));
  EXPECT_EQ(windowClass.hCursor, LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_FALSE(windowClass.hIcon);

  const std::vector<HWND> children = ChildrenOf(popup);
  ASSERT_EQ(children.size(), 4u);  // the message, OK, then the snooze controls (below)
  struct Child {
    const wchar_t* className;
    const wchar_t* text;
    RECT place;
    DWORD style;
  };
  const Child expected[] = {
      {L"Edit", L"Забрать посылку\r\nдо обеда", {4, 4, 290, 236}, 0x50800845},
      {L"Button", L"OK", {95, 244, 205, 269}, 0x50001000},
  };
  for (size_t i = 0; i < 2; ++i) {
    const HWND child = children[i];
    EXPECT_EQ(_wcsicmp(ClassOf(child).c_str(), expected[i].className), 0) << ClassOf(child);
    EXPECT_EQ(TextOf(child), expected[i].text);
    EXPECT_EQ(GetDlgCtrlID(child), 0);
    // The edit control takes WS_BORDER over and draws its border itself.
    const DWORD childStyle = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
    EXPECT_EQ(childStyle & ~WS_BORDER, expected[i].style & ~WS_BORDER) << std::hex << childStyle;
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, popup, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, expected[i].place.left) << i;
    EXPECT_EQ(place.top, expected[i].place.top) << i;
    EXPECT_EQ(place.right, expected[i].place.right) << i;
    EXPECT_EQ(place.bottom, expected[i].place.bottom) << i;
    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)),
                           sizeof font, &font));
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Arial");
    EXPECT_EQ(font.lfHeight, 18);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
  }
  EXPECT_NE(GetActiveWindow(), popup);  // opened without the keyboard
  EXPECT_FALSE(GetWindowLongW(children[0], GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));

  // The read-only field is painted yellow.
  const HDC dc = GetDC(children[0]);
  const auto brush =
      reinterpret_cast<HBRUSH>(SendMessageW(popup, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(children[0])));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 0));
  ReleaseDC(children[0], dc);
  LOGBRUSH colour{};
  ASSERT_TRUE(GetObjectW(brush, sizeof colour, &colour));
  EXPECT_EQ(colour.lbColor, RGB(255, 255, 0));
  EXPECT_EQ(colour.lbStyle, static_cast<UINT>(BS_SOLID));
}

TEST_F(Popup, OpensAtTheCornerOfTheWorkAreaAndOkClosesIt) {
  const RECT area = WorkArea();
  const HWND popup = Open(" Ежедневно в 08:30:00", "");
  RECT frame{};
  GetWindowRect(popup, &frame);
  EXPECT_EQ(frame.right, area.right);
  EXPECT_EQ(frame.bottom, area.bottom);
  EXPECT_EQ(frame.right - frame.left, 300);
  EXPECT_EQ(frame.bottom - frame.top, 300);
  EXPECT_TRUE(IsWindowVisible(popup));
  EXPECT_TRUE(GetWindowLongW(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);

  PressOk(popup);
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(popups.PopupOffset(), 0);
}

TEST_F(Popup, TheBareClientMarginDragsLikeTheTitleBar) {
  const HWND popup = Open(" x", "y");
  POINT margin{1, 1};
  ClientToScreen(popup, &margin);
  EXPECT_EQ(SendMessageW(popup, WM_NCHITTEST, 0, MAKELPARAM(margin.x, margin.y)), HTCAPTION);
}

TEST_F(Popup, CascadesUpAndLeftWrapsAfterTenAndNeverLeavesTheWorkArea) {
  const RECT area = WorkArea();
  auto cornerOf = [](HWND popup) {
    RECT frame{};
    GetWindowRect(popup, &frame);
    return POINT{frame.right, frame.bottom};
  };
  std::vector<HWND> popupsOpened;
  for (int i = 0; i < 11; ++i) {
    std::string caption(" ");
    caption += std::to_string(i);
    popupsOpened.push_back(Open(caption, "текст"));
    const int offset = (i % 10) * 10;
    const POINT corner = cornerOf(popupsOpened.back());
    EXPECT_EQ(corner.x, area.right - offset) << i;
    EXPECT_EQ(corner.y, area.bottom - offset) << i;
  }
  EXPECT_EQ(popups.PopupOffset(), 10);
  // Closing any popup brings the next place 10 pixels nearer the corner, but never beyond it.
  for (int i = 0; i < 11; ++i) PressOk(popupsOpened[static_cast<size_t>(i)]);
  EXPECT_EQ(popups.PopupOffset(), 0);
  const POINT corner = cornerOf(Open(" again", ""));
  EXPECT_EQ(corner.x, area.right);
  EXPECT_EQ(corner.y, area.bottom);
}

// A press and its release at once (a press on the caption runs the system's move loop until the
// release); the input reaches the thread's queue a moment later.
void Send(INPUT press) {
  INPUT input[2] = {press, press};
  input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  if (press.type == INPUT_MOUSE) input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
  PumpUntil([] { return false; }, std::chrono::milliseconds(100));
}
void Key(WORD key, wchar_t character = 0) {
  Send({.type = INPUT_KEYBOARD,
        .ki = {character ? WORD{0} : key, character, character ? KEYEVENTF_UNICODE : 0u, 0, 0}});
}

void ClickAt(HWND window, POINT point) {
  ClientToScreen(window, &point);
  // Under Wine a press takes its place from where the pointer was last seen, and a late report
  // of an earlier place can move the pointer back: the press waits until the pointer is seen
  // where it was put (the same input moving it absolutely was not enough on a busy machine).
  const auto there = [&point] {
    POINT now{};
    return GetCursorPos(&now) && now.x == point.x && now.y == point.y;
  };
  for (int tries = 0; tries < 50; ++tries) {
    SetCursorPos(point.x, point.y);
    PumpUntil([] { return false; }, std::chrono::milliseconds(50));
    if (there()) break;
  }
  Send({.type = INPUT_MOUSE, .mi = {0, 0, 0, MOUSEEVENTF_LEFTDOWN, 0, 0}});
}

// A popup opens over the window the user types in without taking the keyboard: what is typed,
// Space and Enter included, goes on arriving there. The first click on OK or "Отложить" answers;
// a popup clicked elsewhere takes the keyboard, and Enter or Space answers it by OK.
TEST_F(Popup, OpensWithoutTheKeyboardAndAnswersTheFirstClick) {
  int snoozes = 0;
  popups.SetOnSnooze([&](const std::string&, const std::string&, bool, const SoundChoice&,
                         int32_t) { ++snoozes; });
  // The window the user types in: one of this program's own, like the editor's message field.
  const HWND typing = CreateWindowExW(
      0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 40, 40, 300,
      200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  // SnoozeFocused: the margin clicked, then the focus on "Отложить" (pressed and let go away).
  enum Click { None, Ok, Snooze, Margin, Field, SnoozeFocused };
  const struct {
    Click click;
    WORD key;  // pressed after the click
    bool answered;
    int snoozes;
  } rows[] = {
      {None, VK_SPACE, false, 0},  {None, VK_RETURN, false, 0},        {Ok, 0, true, 0},
      {Snooze, 0, true, 1},        {Margin, VK_RETURN, true, 0},       {Margin, VK_SPACE, true, 0},
      {Field, VK_RETURN, true, 0}, {SnoozeFocused, VK_RETURN, true, 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    SetForegroundWindow(typing);
    SetFocus(typing);
    SetWindowTextW(typing, L"");
    // Input goes through the X server: each step waits, up to a limit, for what it should bring.
    Key(0, L'я');
    PumpUntil([&] { return TextOf(typing) == L"я"; }, std::chrono::seconds(3));
    const HWND popup = Open(" 12:00", "Обед");
    EXPECT_EQ(GetFocus(), typing);
    EXPECT_EQ(GetForegroundWindow(), typing);
    Key(0, L'ж');
    PumpUntil([&] { return TextOf(typing) == L"яж"; }, std::chrono::seconds(3));
    const std::vector<HWND> children = ChildrenOf(popup);
    ASSERT_EQ(children.size(), 4u);
    RECT place{};
    const HWND clicked[] = {nullptr, children[1], children[3], popup, children[0], popup};
    if (row.click != None) {
      GetClientRect(clicked[row.click], &place);
      ClickAt(clicked[row.click],
              clicked[row.click] == popup ? POINT{1, 1} : POINT{place.right / 2, 10});
      PumpUntil([&] { return !IsWindow(popup) || GetForegroundWindow() == popup; },
                std::chrono::seconds(3));
    }
    if (row.click == SnoozeFocused) SetFocus(children[3]);
    const std::wstring typed = row.click != None ? L"яж" : row.key == VK_SPACE ? L"яж " : L"яж\r\n";
    if (row.key) Key(row.key);
    PumpUntil([&] { return (IsWindow(popup) == FALSE) == row.answered && TextOf(typing) == typed; },
              std::chrono::seconds(3));
    EXPECT_EQ(IsWindow(popup) == FALSE, row.answered);
    EXPECT_EQ(snoozes, row.snoozes);
    snoozes = 0;
    EXPECT_EQ(TextOf(typing), typed);
    if (IsWindow(popup)) DestroyWindow(popup);
    PumpMessages();
  }
  DestroyWindow(typing);
}

}  // namespace

namespace {

RECT PlaceIn(HWND popup, HWND child) {
  RECT place{};
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, popup, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

TEST_F(Popup, SnoozeClosesLikeOkAndAsksForTheChosenDuration) {
  struct Request {
    std::string moment, text;
    bool sound = false;
    SoundChoice soundChoice;
    int32_t minutes = 0;
  };
  std::vector<Request> requests;
  std::vector<uint64_t> answered;
  popups.SetOnSnooze([&](const std::string& moment, const std::string& text, bool sound,
                         const SoundChoice& soundChoice, int32_t minutes) {
    requests.push_back({moment, text, sound, soundChoice, minutes});
  });
  popups.SetOnAnswered([&](uint64_t reminder) {
    answered.push_back(reminder);
    EXPECT_EQ(requests.size() + 1, answered.size()) << "the sound stops before the snooze";
  });
  const SoundChoice gong{"C:\\Звуки\\гонг.wav", true};
  const HWND popup = popups.ShowReminder(" Ежедневно в 08:30:00", "Обед", true, 30, gong, 7);
  opened.push_back(popup);
  PumpMessages();
  const std::vector<HWND> children = ChildrenOf(popup);
  ASSERT_EQ(children.size(), 4u);
  const HWND list = children[2], snooze = children[3];
  EXPECT_EQ(TextOf(snooze), ToWide("Отложить"));
  // The list shows the last duration chosen; it and the button sit beside OK, inside the popup.
  EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 7);
  EXPECT_EQ(TextOf(list), ToWide("30 мин"));
  RECT client{};
  GetClientRect(popup, &client);
  const RECT ok = PlaceIn(popup, children[1]), left = PlaceIn(popup, list),
             right = PlaceIn(popup, snooze);
  EXPECT_LE(left.right, ok.left);
  EXPECT_GE(right.left, ok.right);
  EXPECT_GE(left.left, 0);
  EXPECT_LE(right.right, client.right);

  SendMessageW(list, CB_SETCURSEL, 4, 0);  // "1 час"
  SendMessageW(snooze, BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(popups.PopupOffset(), 0);  // back by 10, as after OK
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].moment, "Ежедневно в 08:30:00");
  EXPECT_EQ(requests[0].text, "Обед");
  EXPECT_TRUE(requests[0].sound);
  EXPECT_EQ(requests[0].soundChoice, gong);
  EXPECT_EQ(requests[0].minutes, 60);
  // Closed otherwise (Alt+F4), a popup answers as OK does.
  const HWND closed = popups.ShowReminder(" 2", "b", true, 10, {}, 8);
  opened.push_back(closed);
  SendMessageW(closed, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(closed));
  EXPECT_EQ(answered, (std::vector<uint64_t>{7, 8}));
}

TEST_F(Popup, AMessageLongerThanItsFieldHasAScrollBarAShortOneNone) {
  // Lines of a word each, from fewer than the field shows to more; and one long wrapped paragraph.
  std::vector<std::string> texts;
  std::string lines = "строка";
  for (int count = 2; count <= 16; ++count) texts.push_back(lines += "\r\nстрока");
  std::string paragraph;
  for (int words = 0; words < 60; ++words) paragraph += "слово ";
  texts.push_back(paragraph);
  int fitting = 0, overflowing = 0;
  for (const std::string& text : texts) {
    const HWND popup = Open(" 1 мая", text);
    const std::vector<HWND> children = ChildrenOf(popup);
    ASSERT_EQ(children.size(), 4u);
    const HWND field = children[0];
    EXPECT_EQ(_wcsicmp(ClassOf(field).c_str(), L"Edit"), 0);
    EXPECT_EQ(TextOf(field), ToWide(text));
    // The text does not fit when the field can scroll it.
    SendMessageW(field, EM_LINESCROLL, 0, 1);
    const bool scrolls = SendMessageW(field, EM_GETFIRSTVISIBLELINE, 0, 0) > 0;
    const bool bar = (GetWindowLongW(field, GWL_STYLE) & WS_VSCROLL) != 0;
    EXPECT_EQ(bar, scrolls) << std::count(text.begin(), text.end(), '\n') + 1 << " lines";
    (scrolls ? overflowing : fitting) += 1;
    PressOk(popup);
  }
  EXPECT_GE(fitting, 2);
  EXPECT_GE(overflowing, 2);
}

}  // namespace
