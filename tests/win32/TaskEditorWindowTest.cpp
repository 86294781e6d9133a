// The editor window as created: frame, controls, texts, fonts, limits and the
// keyboard's tab order (in the settings dialog too); and the
// number fields as the user types into them and presses their arrows.
#include <algorithm>
#include <climits>
#include <functional>
#include <vector>

#include "tests/win32/TaskEditorFixture.h"
#include "ui/settings/SettingsDialog.h"
#include "ui/shared/DialogKeys.h"

namespace {

using C = EditorControl;

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  GetObjectW(handle, sizeof font, &font);
  return font;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// Records that a window was asked to show focus rectangles, which the system may hide until the
// keyboard is used.
LRESULT CALLBACK RecordShowFocusRequest(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR shown) {
  if (message == WM_CHANGEUISTATE && LOWORD(wParam) == UIS_CLEAR &&
      (HIWORD(wParam) & UISF_HIDEFOCUS))
    *reinterpret_cast<bool*>(shown) = true;
  return DefSubclassProc(window, message, wParam, lParam);
}

// Whether a control shows that it has the focus (a caret, a highlight, a dotted frame): edit
// fields, drop-down lists, push buttons and check boxes; not labels, group frames or arrows.
bool ShowsFocus(HWND control) {
  const std::wstring name = ClassOf(control);
  if (_wcsicmp(name.c_str(), L"Edit") == 0 || _wcsicmp(name.c_str(), L"ComboBox") == 0) return true;
  return _wcsicmp(name.c_str(), L"Button") == 0 &&
         (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
}

// The enabled, visible controls of `window` that show their focus, in reading order computed from
// their places: columns (controls whose horizontal extents overlap, one with the next) left to
// right; in a column, rows (vertical extents overlapping) top to bottom; in a row, left to right.
std::vector<HWND> FocusableInReadingOrder(HWND window) {
  struct Placed {
    HWND control;
    RECT at;
    int column = 0, row = 0;
  };
  std::vector<Placed> placed;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child) || !IsWindowEnabled(child) || !ShowsFocus(child)) continue;
    placed.push_back({child, {}});
    GetWindowRect(child, &placed.back().at);
  }
  // Extents that overlap, in order of their start, share a number.
  const auto group = [](std::vector<Placed>& all, auto start, auto end, auto number) {
    std::ranges::sort(all, {}, [&](const Placed& p) { return p.at.*start; });
    LONG reach = LONG_MIN;
    int current = -1;
    for (Placed& p : all) {
      if (p.at.*start >= reach) ++current;
      reach = std::max(reach, p.at.*end);
      p.*number = current;
    }
    return current + 1;
  };
  const int columns = group(placed, &RECT::left, &RECT::right, &Placed::column);
  std::vector<HWND> controls;
  for (int column = 0; column < columns; ++column) {
    std::vector<Placed> inColumn;
    std::ranges::copy_if(placed, std::back_inserter(inColumn),
                         [&](const Placed& p) { return p.column == column; });
    group(inColumn, &RECT::top, &RECT::bottom, &Placed::row);
    std::ranges::sort(inColumn, {}, [](const Placed& p) { return std::pair{p.row, p.at.left}; });
    for (const Placed& p : inColumn) controls.push_back(p.control);
  }
  return controls;
}

TEST_F(EditorTest, FrameIsFixedWithTheCloseBoxOnly) {
  EXPECT_EQ(ClassOf(editorWindow.Handle()), L"TForm2");
  EXPECT_EQ(Caption(), L"  Новое задание");
  RECT client{};
  GetClientRect(editorWindow.Handle(), &client);
  EXPECT_EQ(client.right, 676);
  EXPECT_EQ(client.bottom, 292);
  const LONG_PTR style = GetWindowLongPtrW(editorWindow.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(GetWindow(editorWindow.Handle(), GW_OWNER), owner);
  EXPECT_FALSE(IsWindowVisible(editorWindow.Handle()));  // created hidden, shown by its opener
}

TEST_F(EditorTest, ControlsCarryTheirTexts) {
  struct Case {
    C control;
    const wchar_t* className;
    const wchar_t* text;
  };
  const Case cases[] = {
      {C::MomentGroup, L"Button", L"Момент выполнения"},
      {C::ActionsGroup, L"Button", L"Дополнительные параметры"},
      {C::LabelMessage, L"Static", L"Текст сообщения"},
      {C::LabelHour, L"Static", L"Часы"},
      {C::LabelMinute, L"Static", L"Минуты"},
      {C::LabelSecond, L"Static", L"Секунды"},
      {C::LabelYear, L"Static", L"Год"},
      {C::LabelMonth, L"Static", L"Месяц"},
      {C::LabelDay, L"Static", L"Число"},
      {C::Hour, L"Edit", L"0"},
      {C::Minute, L"Edit", L"0"},
      {C::Second, L"Edit", L"0"},
      {C::HourArrows, L"msctls_updown32", L""},
      {C::DeleteAfter, L"Button", L"Удалить после выполнения"},
      {C::ShowMessage, L"Button", L"Показать сообщение"},
      {C::Beep, L"Button", L"Подать звуковой сигнал"},
      {C::RunFile, L"Button", L"Выполнить файл"},
      {C::ShutDown, L"Button", L"Выключить компьютер"},
      {C::ChooseFile, L"Button", L"выбор..."},
      {C::Ok, L"Button", L"OK"},
      {C::Cancel, L"Button", L"Cancel"},
      {C::FileName, L"Edit", L""},
      {C::Message, L"Edit", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassOf(Control(c.control)), c.className) << c.text;
    EXPECT_EQ(Text(c.control), c.text);
  }
  EXPECT_TRUE(GetWindowLongPtrW(Control(C::FileName), GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(GetWindowLongPtrW(Control(C::SoundFile), GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(GetWindowLongPtrW(Control(C::Message), GWL_STYLE) & ES_MULTILINE);
  // Neither button is a default button: Enter in the message field starts a new line.
  EXPECT_FALSE(GetWindowLongPtrW(Control(C::Ok), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_TRUE(GetWindowLongPtrW(Control(C::Message), GWL_STYLE) & ES_WANTRETURN);
}

TEST_F(EditorTest, ListsHoldTheRecurrencesMonthsAndDays) {
  const wchar_t* recurrences[] = {
      L"Ежедневно",      L"Каждый понедельник", L"Каждый вторник",  L"Каждую среду",
      L"Каждый четверг", L"Каждую пятницу",     L"Каждую субботу",  L"Каждое воскресенье",
      L"Ежемесячно",     L"Ежегодно",           L"Единожды",        L"Каждые N минут",
      L"Каждые N часов", L"По дням недели",     L"По рабочим дням", L"В N-й день недели месяца",
      L"Каждые N дней"};
  const wchar_t* months[] = {L"Январь", L"Февраль", L"Март",     L"Апрель",  L"Май",    L"Июнь",
                             L"Июль",   L"Август",  L"Сентябрь", L"Октябрь", L"Ноябрь", L"Декабрь"};
  auto item = [&](C list, int index) {
    wchar_t text[64] = {};
    SendMessageW(Control(list), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return std::wstring(text);
  };
  ASSERT_EQ(ItemCount(C::Recurrence), 17);
  for (int i = 0; i < 17; ++i) EXPECT_EQ(item(C::Recurrence, i), recurrences[i]);
  EXPECT_EQ(Selected(C::Recurrence), 0);
  ASSERT_EQ(ItemCount(C::Month), 12);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(item(C::Month, i), months[i]);
  ASSERT_EQ(ItemCount(C::Day), 31);
  EXPECT_EQ(item(C::Day, 0), L"1");
  EXPECT_EQ(item(C::Day, 30), L"31");
  for (C list : {C::Recurrence, C::Month, C::Day})
    EXPECT_EQ(GetWindowLongPtrW(Control(list), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  EXPECT_EQ(SendMessageW(Control(C::Recurrence), CB_GETMINVISIBLE, 0, 0), 17);
  EXPECT_EQ(SendMessageW(Control(C::Month), CB_GETMINVISIBLE, 0, 0), 12);
}

TEST_F(EditorTest, FieldLimitsAndArrowRanges) {
  EXPECT_EQ(SendMessageW(Control(C::Message), EM_GETLIMITTEXT, 0, 0), 256);
  for (C edit : {C::Hour, C::Minute, C::Second})
    EXPECT_EQ(SendMessageW(Control(edit), EM_GETLIMITTEXT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(Control(C::Year), EM_GETLIMITTEXT, 0, 0), 4);
  struct Range {
    C arrows;
    int low, high, position;
  };
  for (const Range r : {Range{C::HourArrows, -1, 24, 0}, Range{C::MinuteArrows, -1, 60, 0},
                        Range{C::SecondArrows, -1, 60, 0}, Range{C::YearArrows, 0, 9999, 2008}}) {
    int low = 0, high = 0;
    SendMessageW(Control(r.arrows), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, r.low);
    EXPECT_EQ(high, r.high);
    EXPECT_EQ(ArrowsAt(r.arrows), r.position);
    const LONG_PTR style = GetWindowLongPtrW(Control(r.arrows), GWL_STYLE);
    EXPECT_FALSE(style & UDS_WRAP);
    EXPECT_EQ(SendMessageW(Control(r.arrows), UDM_GETBUDDY, 0, 0), 0);
  }
  // The message field takes no more than 256 typed characters.
  Show();
  Type(C::Message, std::wstring(300, L'ж'));
  EXPECT_EQ(Text(C::Message).size(), 256u);
}

TEST_F(EditorTest, FontsAreBoldMsSansSerifAndTheMessageFieldArial) {
  for (C control : {C::LabelHour, C::ShutDown, C::Ok, C::Recurrence, C::Hour, C::MomentGroup}) {
    const LOGFONTW font = FontOf(Control(control));
    EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
    EXPECT_EQ(font.lfHeight, -13);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
  }
  const LOGFONTW messageFont = FontOf(Control(C::Message));
  EXPECT_STREQ(messageFont.lfFaceName, L"Arial");
  EXPECT_EQ(messageFont.lfHeight, -15);
  EXPECT_EQ(messageFont.lfWeight, FW_BOLD);
}

// Room a control needs beside its caption: the check box's square, a button's or a list's
// frame and arrow.
int TextWidth(HWND control, const std::wstring& text) {
  HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

TEST_F(EditorTest, CaptionsAndItemsFitTheirControls) {
  // Every caption: labels, group frames, check boxes and buttons, with the room each needs.
  const int box = GetSystemMetrics(SM_CXMENUCHECK) + 4;
  for (int i = 0; i < static_cast<int>(C::Count); ++i) {
    const HWND control = Control(static_cast<C>(i));
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    const bool button = ClassOf(control) == L"Button";
    if (!button && ClassOf(control) != L"Static") continue;
    const int room = !button ? 0 : type == BS_GROUPBOX ? 16 : type == BS_AUTOCHECKBOX ? box : 8;
    RECT client{};
    GetClientRect(control, &client);
    EXPECT_LE(TextWidth(control, Text(static_cast<C>(i))) + room, client.right)
        << Text(static_cast<C>(i));
  }
  const int arrow = GetSystemMetrics(SM_CXVSCROLL) + 6;
  for (C list : {C::Recurrence, C::Month, C::Day, C::WeekOfMonth, C::WeekdayOfMonth}) {
    RECT client{};
    GetClientRect(Control(list), &client);
    const int count = ItemCount(list);
    for (int i = 0; i < count; ++i) {
      wchar_t item[64] = {};
      SendMessageW(Control(list), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
      EXPECT_LE(TextWidth(Control(list), item) + arrow, client.right) << item;
    }
  }
}

TEST_F(EditorTest, TabAndShiftTabWalkEveryFocusableControlInReadingOrderShowingTheFocus) {
  Store settingsStore;
  SettingsDialog settings{settingsStore};
  ASSERT_TRUE(settings.Create(owner));
  ShowWindow(settings.Handle(), SW_SHOW);
  Show();
  // The editor as it opens (its date fields and file name disabled), then with all enabled; the
  // settings dialog.
  const std::pair<HWND, std::function<void()>> cases[] = {{editorWindow.Handle(), [] {}},
                                                          {editorWindow.Handle(),
                                                           [&] {
                                                             Choose(C::Recurrence,
                                                                    ItemCount(C::Recurrence) - 1);
                                                             Click(C::RunFile);
                                                           }},
                                                          {settings.Handle(), [] {}}};
  for (const auto& [window, prepare] : cases) {
    prepare();
    const std::vector<HWND> expected = FocusableInReadingOrder(window);
    ASSERT_GE(expected.size(), 5u);
    for (const bool backwards : {false, true}) {
      bool cuesShown = false;
      SetWindowSubclass(window, &RecordShowFocusRequest, 1,
                        reinterpret_cast<DWORD_PTR>(&cuesShown));
      SetFocus(expected[0]);
      BYTE keys[256] = {};
      GetKeyboardState(keys);
      keys[VK_SHIFT] = backwards ? 0x80 : 0;
      SetKeyboardState(keys);
      std::vector<HWND> walked;
      for (size_t step = 0; step < expected.size(); ++step) {
        const MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        EXPECT_TRUE(TakeDialogKey(window, tab));
        walked.push_back(GetFocus());
      }
      keys[VK_SHIFT] = 0;
      SetKeyboardState(keys);
      RemoveWindowSubclass(window, &RecordShowFocusRequest, 1);
      EXPECT_TRUE(cuesShown);
      // Round and round: forwards from the first control through the rest to the first again;
      // backwards to the last, then up to the first.
      std::vector<HWND> order(expected.begin() + 1, expected.end());
      order.push_back(expected[0]);
      if (backwards) order.assign(expected.rbegin(), expected.rend());
      for (size_t step = 0; step < order.size(); ++step)
        EXPECT_EQ(GetDlgCtrlID(walked[step]), GetDlgCtrlID(order[step]))
            << (backwards ? "backwards" : "forwards") << ", step " << step;
    }
  }
  DestroyWindow(settings.Handle());
}

TEST_F(EditorTest, TypedTimesAreNormalised) {
  struct Case {
    C edit;
    const wchar_t* typed;
    const wchar_t* shown;
    C arrows;
    int32_t EditorMoment::*field;
    int value;
  };
  const Case cases[] = {
      {C::Minute, L"75", L"59", C::MinuteArrows, &EditorMoment::minute, 59},
      {C::Hour, L"99", L"23", C::HourArrows, &EditorMoment::hour, 23},
      {C::Hour, L"07", L"7", C::HourArrows, &EditorMoment::hour, 7},
      {C::Second, L"60", L"59", C::SecondArrows, &EditorMoment::second, 59},
      {C::Second, L"42", L"42", C::SecondArrows, &EditorMoment::second, 42},
      // The end time, N and the warning are not remembered.
      {C::TillMinute, L"75", L"59", C::TillMinuteArrows, nullptr, 59},
      {C::Every, L"0", L"1", C::EveryArrows, nullptr, 1},
      {C::Warn, L"1441", L"1440", C::WarnArrows, nullptr, 1440},
  };
  Show();
  Choose(C::Recurrence, kEveryNMinutesItem);
  for (const Case& c : cases) {
    Type(c.edit, c.typed, true);
    EXPECT_EQ(Text(c.edit), c.shown) << c.typed;
    EXPECT_EQ(ArrowsAt(c.arrows), c.value) << c.typed;
    if (c.field) {
      EXPECT_EQ(Moment().*c.field, c.value) << c.typed;
    }
  }
}

TEST_F(EditorTest, KeyFilterSwallowsAllButDigitsAndBackspace) {
  Show();
  Type(C::Minute, L"3", true);
  Type(C::Minute, L"a-. +ж\t");
  EXPECT_EQ(Text(C::Minute), L"3");
  Type(C::Year, L"2x0y2-5", true);
  EXPECT_EQ(Text(C::Year), L"2025");
  EXPECT_EQ(Moment().year, 2025);
  Type(C::Year, L"\b");
  EXPECT_EQ(Text(C::Year), L"202");
  // The message field takes any character.
  Type(C::Message, L"a-5 ж");
  EXPECT_EQ(Text(C::Message), L"a-5 ж");
}

TEST_F(EditorTest, AnEmptiedTimeFieldReportsTheErrorAndKeepsTheLastGoodValue) {
  Show();
  Type(C::Minute, L"45", true);
  ASSERT_EQ(Moment().minute, 45);
  // The whole text selected and deleted at once.
  const auto box = BoxDuring([&] { Type(C::Minute, L"\b", true); });
  ASSERT_TRUE(box);
  EXPECT_EQ(*box, L" Vornakel|'' is not a valid integer value.");
  EXPECT_EQ(Text(C::Minute), L"");
  EXPECT_EQ(ArrowsAt(C::MinuteArrows), 45);
  EXPECT_EQ(Moment().minute, 45);
}

TEST_F(EditorTest, TimeArrowsWrapAtBothEnds) {
  struct Case {
    C edit, arrows;
    const wchar_t* start;
    ArrowButton button;
    const wchar_t* shown;
  };
  const Case cases[] = {
      {C::Hour, C::HourArrows, L"0", ArrowButton::Down, L"23"},
      {C::Hour, C::HourArrows, L"23", ArrowButton::Up, L"0"},
      {C::Hour, C::HourArrows, L"9", ArrowButton::Up, L"10"},
      {C::Minute, C::MinuteArrows, L"0", ArrowButton::Down, L"59"},
      {C::Minute, C::MinuteArrows, L"59", ArrowButton::Up, L"0"},
      {C::Second, C::SecondArrows, L"0", ArrowButton::Down, L"59"},
      {C::Second, C::SecondArrows, L"59", ArrowButton::Up, L"0"},
      {C::Second, C::SecondArrows, L"30", ArrowButton::Down, L"29"},
  };
  Show();
  for (const Case& c : cases) {
    Type(c.edit, c.start, true);
    PressArrow(c.arrows, c.button);
    EXPECT_EQ(Text(c.edit), c.shown) << c.start;
    EXPECT_EQ(std::to_wstring(ArrowsAt(c.arrows)), c.shown) << c.start;
  }
  EXPECT_EQ(Moment().second, 29);
}

TEST_F(EditorTest, YearArrowsStopAtZeroAnd9999) {
  Show();
  Choose(C::Recurrence, Once);  // the year field is enabled in one-time recurrence only
  Type(C::Year, L"9999", true);
  PressArrow(C::YearArrows, ArrowButton::Up);
  EXPECT_EQ(Text(C::Year), L"9999");
  PressArrow(C::YearArrows, ArrowButton::Down);
  EXPECT_EQ(Text(C::Year), L"9998");
  Type(C::Year, L"0", true);
  PressArrow(C::YearArrows, ArrowButton::Down);
  EXPECT_EQ(Text(C::Year), L"0");
  PressArrow(C::YearArrows, ArrowButton::Up);
  EXPECT_EQ(Text(C::Year), L"1");
  EXPECT_EQ(Moment().year, 1);
}

}  // namespace
