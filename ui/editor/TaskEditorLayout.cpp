// The task editor's layout: its controls' kinds, texts, places and limits, created in tab order.
#include "ui/editor/TaskEditor.h"
#include "ui/editor/TimeFields.h"
#include "ui/shared/ControlAccess.h"
#include "ui/shared/DialogFrame.h"
#include "ui/shared/WindowTexts.h"
#include "win32/CommonControls.h"
// clang-format off
#include <uxtheme.h>

#include "win32/SystemLibrary.h"
// clang-format on
#include "win32/Fonts.h"

namespace {

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kGroup = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
constexpr DWORD kNumberEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
// Not tied to a buddy: the handlers copy between the arrows' position and the field's text. Not a
// tab stop either: focused arrows show no sign of it, and their field beside them is the stop.
constexpr DWORD kArrows = WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS;
constexpr DWORD kDropDownList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kCheckBox = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kReadOnlyField = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY;

constexpr int Id(EditorControl control) { return static_cast<int>(control); }

// Three columns: the message with OK and Cancel; the moment; the extra actions.
constexpr ControlPlace kControls[] = {
    {Id(EditorControl::MomentGroup), L"BUTTON", kMomentGroupLabel, kGroup, 0, 162, 2, 266, 284},
    {Id(EditorControl::ActionsGroup), L"BUTTON", kActionsGroupLabel, kGroup, 0, 436, 2, 232, 284},
    {Id(EditorControl::LabelMessage), L"STATIC", kMessageLabel, kLabel, 0, 8, 8, 146, 16},
    {Id(EditorControl::LabelHour), L"STATIC", kHourLabel, kLabel, 0, 196, 22, 64, 16},
    {Id(EditorControl::LabelMinute), L"STATIC", kMinuteLabel, kLabel, 0, 264, 22, 64, 16},
    {Id(EditorControl::LabelSecond), L"STATIC", kSecondLabel, kLabel, 0, 332, 22, 70, 16},
    {Id(EditorControl::LabelTill), L"STATIC", kTillLabel, kLabel, 0, 172, 69, 22, 16},
    {Id(EditorControl::LabelEvery), L"STATIC", kEveryLabel, kLabel, 0, 172, 129, 22, 16},
    {Id(EditorControl::LabelYear), L"STATIC", kYearLabel, kLabel, 0, 172, 210, 64, 16},
    {Id(EditorControl::LabelMonth), L"STATIC", kMonthLabel, kLabel, 0, 240, 210, 90, 16},
    {Id(EditorControl::LabelDay), L"STATIC", kDayLabel, kLabel, 0, 364, 210, 54, 16},
    {Id(EditorControl::LabelWarn), L"STATIC", kWarnLabel, kLabel, 0, 446, 232, 212, 16},
    {Id(EditorControl::LabelWarnUnit), L"STATIC", kWarnUnit, kLabel, 0, 514, 253, 40, 16},
    // The tab stops in reading order, column by column: the message with OK and Cancel, the
    // moment, the extra actions.
    {Id(EditorControl::Message), L"EDIT", "",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
         ES_WANTRETURN,
     WS_EX_CLIENTEDGE, 8, 26, 146, 222},
    {Id(EditorControl::Ok), L"BUTTON", kOkButton, kButton, 0, 8, 256, 69, 28},
    {Id(EditorControl::Cancel), L"BUTTON", kCancelButton, kButton, 0, 85, 256, 69, 28},
    // The time of day, and under it the end of the day's moments of every N minutes or hours.
    {Id(EditorControl::Hour), L"EDIT", "0", kNumberEdit, WS_EX_CLIENTEDGE, 196, 40, 40, 22},
    {Id(EditorControl::HourArrows), UPDOWN_CLASSW, "", kArrows, 0, 236, 40, 17, 22},
    {Id(EditorControl::Minute), L"EDIT", "0", kNumberEdit, WS_EX_CLIENTEDGE, 264, 40, 40, 22},
    {Id(EditorControl::MinuteArrows), UPDOWN_CLASSW, "", kArrows, 0, 304, 40, 17, 22},
    {Id(EditorControl::Second), L"EDIT", "0", kNumberEdit, WS_EX_CLIENTEDGE, 332, 40, 40, 22},
    {Id(EditorControl::SecondArrows), UPDOWN_CLASSW, "", kArrows, 0, 372, 40, 17, 22},
    {Id(EditorControl::TillHour), L"EDIT", "23", kNumberEdit, WS_EX_CLIENTEDGE, 196, 66, 40, 22},
    {Id(EditorControl::TillHourArrows), UPDOWN_CLASSW, "", kArrows, 0, 236, 66, 17, 22},
    {Id(EditorControl::TillMinute), L"EDIT", "59", kNumberEdit, WS_EX_CLIENTEDGE, 264, 66, 40, 22},
    {Id(EditorControl::TillMinuteArrows), UPDOWN_CLASSW, "", kArrows, 0, 304, 66, 17, 22},
    {Id(EditorControl::TillSecond), L"EDIT", "59", kNumberEdit, WS_EX_CLIENTEDGE, 332, 66, 40, 22},
    {Id(EditorControl::TillSecondArrows), UPDOWN_CLASSW, "", kArrows, 0, 372, 66, 17, 22},
    {Id(EditorControl::Recurrence), L"COMBOBOX", "", kDropDownList, 0, 172, 96, 246, 24},
    // What the repeat rules read: N, the weekdays, the week of the month with its weekday.
    {Id(EditorControl::Every), L"EDIT", "1", kNumberEdit, WS_EX_CLIENTEDGE, 196, 126, 46, 22},
    {Id(EditorControl::EveryArrows), UPDOWN_CLASSW, "", kArrows, 0, 242, 126, 17, 22},
    {Id(EditorControl::MondayBox), L"BUTTON", kWeekdayBoxLabels[0], kCheckBox, 0, 172, 154, 34, 20},
    {Id(EditorControl::TuesdayBox), L"BUTTON", kWeekdayBoxLabels[1], kCheckBox, 0, 207, 154, 34,
     20},
    {Id(EditorControl::WednesdayBox), L"BUTTON", kWeekdayBoxLabels[2], kCheckBox, 0, 242, 154, 34,
     20},
    {Id(EditorControl::ThursdayBox), L"BUTTON", kWeekdayBoxLabels[3], kCheckBox, 0, 277, 154, 34,
     20},
    {Id(EditorControl::FridayBox), L"BUTTON", kWeekdayBoxLabels[4], kCheckBox, 0, 312, 154, 34, 20},
    {Id(EditorControl::SaturdayBox), L"BUTTON", kWeekdayBoxLabels[5], kCheckBox, 0, 347, 154, 34,
     20},
    {Id(EditorControl::SundayBox), L"BUTTON", kWeekdayBoxLabels[6], kCheckBox, 0, 382, 154, 34, 20},
    {Id(EditorControl::WeekOfMonth), L"COMBOBOX", "", kDropDownList, 0, 172, 180, 100, 24},
    {Id(EditorControl::WeekdayOfMonth), L"COMBOBOX", "", kDropDownList, 0, 278, 180, 140, 24},
    {Id(EditorControl::Year), L"EDIT", "2008", kNumberEdit, WS_EX_CLIENTEDGE, 172, 228, 46, 22},
    {Id(EditorControl::YearArrows), UPDOWN_CLASSW, "", kArrows, 0, 218, 228, 17, 22},
    {Id(EditorControl::Month), L"COMBOBOX", "", kDropDownList, 0, 240, 228, 118, 24},
    {Id(EditorControl::Day), L"COMBOBOX", "", kDropDownList, 0, 364, 228, 54, 24},
    // Waking is about the moment, so it closes the moment's column.
    {Id(EditorControl::Wake), L"BUTTON", kWakeCheckBox, kCheckBox, 0, 172, 258, 246, 20},
    // The extra actions in rows, the buttons on the right in one column; the sound's field, its
    // buttons and the repetition come under the sound box they depend on.
    {Id(EditorControl::DeleteAfter), L"BUTTON", kDeleteAfterCheckBox, kCheckBox, 0, 446, 22, 212,
     20},
    {Id(EditorControl::ShowMessage), L"BUTTON", kShowMessageCheckBox, kCheckBox, 0, 446, 46, 212,
     20},
    {Id(EditorControl::Beep), L"BUTTON", kBeepCheckBox, kCheckBox, 0, 446, 70, 212, 20},
    {Id(EditorControl::SoundFile), L"EDIT", kMelodyText, kReadOnlyField, WS_EX_CLIENTEDGE, 446, 94,
     108, 22},
    {Id(EditorControl::ChooseSound), L"BUTTON", kChooseSoundButton, kButton, 0, 558, 93, 24, 24},
    {Id(EditorControl::Melody), L"BUTTON", kMelodyText, kButton, 0, 586, 93, 72, 24},
    {Id(EditorControl::RepeatSound), L"BUTTON", kRepeatCheckBox, kCheckBox, 0, 446, 122, 212, 20},
    {Id(EditorControl::RunFile), L"BUTTON", kRunFileCheckBox, kCheckBox, 0, 446, 150, 136, 20},
    {Id(EditorControl::ChooseFile), L"BUTTON", kChooseFileButton, kButton, 0, 586, 148, 72, 24},
    {Id(EditorControl::FileName), L"EDIT", "", kReadOnlyField, WS_EX_CLIENTEDGE, 446, 176, 212, 22},
    {Id(EditorControl::ShutDown), L"BUTTON", kShutDownCheckBox, kCheckBox, 0, 446, 206, 212, 20},
    // The warning before each moment, for a task of any kind.
    {Id(EditorControl::Warn), L"EDIT", "0", kNumberEdit, WS_EX_CLIENTEDGE, 446, 250, 46, 22},
    {Id(EditorControl::WarnArrows), UPDOWN_CLASSW, "", kArrows, 0, 492, 250, 17, 22},
};
static_assert(std::size(kControls) == static_cast<size_t>(EditorControl::Count));

}  // namespace

void TaskEditor::PlaceControls() {
  ::PlaceControls(kControls, controls_, dpi_, L"MS Sans Serif", 13, font_);
  // The message field has a font of its own.
  UniqueFont messageFont = CreatePixelFont(L"Arial", 15, true, dpi_);
  SendMessageW(Control(EditorControl::Message), WM_SETFONT,
               reinterpret_cast<WPARAM>(messageFont.get()), TRUE);
  messageFont_ = std::move(messageFont);
}

bool TaskEditor::CreateControls() {
  if (!::CreateControls(hwnd_, kControls, kFirstControlId, controls_, dpi_)) return false;
  PlaceControls();

  SendMessageW(Control(EditorControl::Message), EM_LIMITTEXT, 256, 0);
  for (EditorControl edit :
       {EditorControl::Hour, EditorControl::Minute, EditorControl::Second, EditorControl::TillHour,
        EditorControl::TillMinute, EditorControl::TillSecond})
    SendMessageW(Control(edit), EM_LIMITTEXT, 2, 0);
  for (EditorControl edit : {EditorControl::Year, EditorControl::Every, EditorControl::Warn})
    SendMessageW(Control(edit), EM_LIMITTEXT, 4, 0);

  for (EditorControl arrows : {EditorControl::HourArrows, EditorControl::TillHourArrows})
    SendMessageW(Control(arrows), UDM_SETRANGE32, TimeArrowsLowest(),
                 TimeArrowsHighest(kHourHighest));
  for (EditorControl arrows : {EditorControl::MinuteArrows, EditorControl::SecondArrows,
                               EditorControl::TillMinuteArrows, EditorControl::TillSecondArrows})
    SendMessageW(Control(arrows), UDM_SETRANGE32, TimeArrowsLowest(),
                 TimeArrowsHighest(kMinuteHighest));
  SendMessageW(Control(EditorControl::YearArrows), UDM_SETRANGE32, kYearLowest, kYearHighest);
  SendMessageW(Control(EditorControl::EveryArrows), UDM_SETRANGE32, 1, RuleLayout{}.everyHighest);
  SendMessageW(Control(EditorControl::WarnArrows), UDM_SETRANGE32, 0, kWarnHighest);
  for (EditorControl arrows : {EditorControl::HourArrows, EditorControl::MinuteArrows,
                               EditorControl::SecondArrows, EditorControl::WarnArrows})
    SetArrowsPosition(Control(arrows), 0);
  SetArrowsPosition(Control(EditorControl::TillHourArrows), kHourHighest);
  for (EditorControl arrows : {EditorControl::TillMinuteArrows, EditorControl::TillSecondArrows})
    SetArrowsPosition(Control(arrows), kMinuteHighest);
  SetArrowsPosition(Control(EditorControl::EveryArrows), 1);
  SetArrowsPosition(Control(EditorControl::YearArrows), kYearArrowsStart);

  for (const char* item : kRecurrenceItems) AddItem(Control(EditorControl::Recurrence), item);
  SetVisibleItems(Control(EditorControl::Recurrence),
                  static_cast<int>(std::size(kRecurrenceItems)));
  SelectIndex(Control(EditorControl::Recurrence), 0);
  for (const char* item : kMonthItems) AddItem(Control(EditorControl::Month), item);
  SetVisibleItems(Control(EditorControl::Month), static_cast<int>(std::size(kMonthItems)));
  FillNumberItems(Control(EditorControl::Day), 31);
  SetVisibleItems(Control(EditorControl::Day), 31);
  for (const char* item : kWeekOfMonthItems) AddItem(Control(EditorControl::WeekOfMonth), item);
  SelectIndex(Control(EditorControl::WeekOfMonth), 0);
  for (const char* item : kWeekdayItems) AddItem(Control(EditorControl::WeekdayOfMonth), item);
  SetVisibleItems(Control(EditorControl::WeekdayOfMonth),
                  static_cast<int>(std::size(kWeekdayItems)));
  SelectIndex(Control(EditorControl::WeekdayOfMonth), 0);

  // The typed characters of the number fields pass the key filter first.
  for (EditorControl edit :
       {EditorControl::Hour, EditorControl::Minute, EditorControl::Second, EditorControl::Year,
        EditorControl::TillHour, EditorControl::TillMinute, EditorControl::TillSecond,
        EditorControl::Every, EditorControl::Warn})
    SetWindowSubclass(Control(edit), &TaskEditor::NumberFieldProc, 0,
                      reinterpret_cast<DWORD_PTR>(this));
  // Themed check boxes ignore the text colour their parent gives, and the shutdown box's caption
  // must turn red; all of them are drawn alike.
  static const auto setWindowTheme =
      SystemFunction<decltype(&SetWindowTheme)>(L"uxtheme.dll", "SetWindowTheme");
  for (const ControlPlace& place : kControls)
    if (setWindowTheme && place.style == kCheckBox)
      setWindowTheme(controls_[static_cast<size_t>(place.control)], L"", L"");
  OnSoundActionsToggled();
  return true;
}
