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
    {Id(EditorControl::MomentGroup), L"BUTTON", kMomentGroupLabel, kGroup, 0, 214, 2, 230, 230},
    {Id(EditorControl::ActionsGroup), L"BUTTON", kActionsGroupLabel, kGroup, 0, 452, 2, 237, 230},
    {Id(EditorControl::LabelMessage), L"STATIC", kMessageLabel, kLabel, 0, 8, 8, 198, 16},
    {Id(EditorControl::LabelHour), L"STATIC", kHourLabel, kLabel, 0, 224, 30, 64, 16},
    {Id(EditorControl::LabelMinute), L"STATIC", kMinuteLabel, kLabel, 0, 294, 30, 64, 16},
    {Id(EditorControl::LabelSecond), L"STATIC", kSecondLabel, kLabel, 0, 364, 30, 70, 16},
    {Id(EditorControl::LabelYear), L"STATIC", kYearLabel, kLabel, 0, 224, 150, 64, 16},
    {Id(EditorControl::LabelMonth), L"STATIC", kMonthLabel, kLabel, 0, 292, 150, 90, 16},
    {Id(EditorControl::LabelDay), L"STATIC", kDayLabel, kLabel, 0, 388, 150, 46, 16},
    // The tab stops in reading order, column by column: the message with OK and Cancel, the
    // moment, the extra actions.
    {Id(EditorControl::Message), L"EDIT", "",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
         ES_WANTRETURN,
     WS_EX_CLIENTEDGE, 8, 26, 198, 166},
    {Id(EditorControl::Ok), L"BUTTON", kOkButton, kButton, 0, 8, 202, 95, 28},
    {Id(EditorControl::Cancel), L"BUTTON", kCancelButton, kButton, 0, 111, 202, 95, 28},
    {Id(EditorControl::Hour), L"EDIT", "0", kNumberEdit, WS_EX_CLIENTEDGE, 224, 48, 40, 22},
    {Id(EditorControl::HourArrows), UPDOWN_CLASSW, "", kArrows, 0, 264, 48, 17, 22},
    {Id(EditorControl::Minute), L"EDIT", "0", kNumberEdit, WS_EX_CLIENTEDGE, 294, 48, 40, 22},
    {Id(EditorControl::MinuteArrows), UPDOWN_CLASSW, "", kArrows, 0, 334, 48, 17, 22},
    {Id(EditorControl::Second), L"EDIT", "0", kNumberEdit, WS_EX_CLIENTEDGE, 364, 48, 40, 22},
    {Id(EditorControl::SecondArrows), UPDOWN_CLASSW, "", kArrows, 0, 404, 48, 17, 22},
    {Id(EditorControl::Recurrence), L"COMBOBOX", "", kDropDownList, 0, 224, 104, 210, 24},
    {Id(EditorControl::Year), L"EDIT", "2008", kNumberEdit, WS_EX_CLIENTEDGE, 224, 168, 46, 22},
    {Id(EditorControl::YearArrows), UPDOWN_CLASSW, "", kArrows, 0, 270, 168, 17, 22},
    {Id(EditorControl::Month), L"COMBOBOX", "", kDropDownList, 0, 292, 168, 90, 24},
    {Id(EditorControl::Day), L"COMBOBOX", "", kDropDownList, 0, 388, 168, 46, 24},
    // Waking is about the moment, so it closes the moment's column.
    {Id(EditorControl::Wake), L"BUTTON", kWakeCheckBox, kCheckBox, 0, 224, 204, 210, 20},
    // The extra actions in rows, the buttons on the right in one column; the sound's field, its
    // buttons and the repetition come under the sound box they depend on.
    {Id(EditorControl::DeleteAfter), L"BUTTON", kDeleteAfterCheckBox, kCheckBox, 0, 462, 22, 217,
     20},
    {Id(EditorControl::ShowMessage), L"BUTTON", kShowMessageCheckBox, kCheckBox, 0, 462, 46, 217,
     20},
    {Id(EditorControl::Beep), L"BUTTON", kBeepCheckBox, kCheckBox, 0, 462, 70, 217, 20},
    {Id(EditorControl::SoundFile), L"EDIT", kMelodyText, kReadOnlyField, WS_EX_CLIENTEDGE, 462, 94,
     114, 22},
    {Id(EditorControl::ChooseSound), L"BUTTON", kChooseSoundButton, kButton, 0, 580, 93, 24, 24},
    {Id(EditorControl::Melody), L"BUTTON", kMelodyText, kButton, 0, 608, 93, 70, 24},
    {Id(EditorControl::RepeatSound), L"BUTTON", kRepeatCheckBox, kCheckBox, 0, 462, 122, 217, 20},
    {Id(EditorControl::RunFile), L"BUTTON", kRunFileCheckBox, kCheckBox, 0, 462, 150, 140, 20},
    {Id(EditorControl::ChooseFile), L"BUTTON", kChooseFileButton, kButton, 0, 608, 148, 70, 24},
    {Id(EditorControl::FileName), L"EDIT", "", kReadOnlyField, WS_EX_CLIENTEDGE, 462, 176, 216, 22},
    {Id(EditorControl::ShutDown), L"BUTTON", kShutDownCheckBox, kCheckBox, 0, 462, 206, 217, 20},
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
  for (EditorControl edit : {EditorControl::Hour, EditorControl::Minute, EditorControl::Second})
    SendMessageW(Control(edit), EM_LIMITTEXT, 2, 0);
  SendMessageW(Control(EditorControl::Year), EM_LIMITTEXT, 4, 0);

  SendMessageW(Control(EditorControl::HourArrows), UDM_SETRANGE32, TimeArrowsLowest(),
               TimeArrowsHighest(kHourHighest));
  for (EditorControl arrows : {EditorControl::MinuteArrows, EditorControl::SecondArrows})
    SendMessageW(Control(arrows), UDM_SETRANGE32, TimeArrowsLowest(),
                 TimeArrowsHighest(kMinuteHighest));
  SendMessageW(Control(EditorControl::YearArrows), UDM_SETRANGE32, kYearLowest, kYearHighest);
  for (EditorControl arrows :
       {EditorControl::HourArrows, EditorControl::MinuteArrows, EditorControl::SecondArrows})
    SetArrowsPosition(Control(arrows), 0);
  SetArrowsPosition(Control(EditorControl::YearArrows), kYearArrowsStart);

  for (const char* item : kRecurrenceItems) AddItem(Control(EditorControl::Recurrence), item);
  SetVisibleItems(Control(EditorControl::Recurrence),
                  static_cast<int>(std::size(kRecurrenceItems)));
  SelectIndex(Control(EditorControl::Recurrence), 0);
  for (const char* item : kMonthItems) AddItem(Control(EditorControl::Month), item);
  SetVisibleItems(Control(EditorControl::Month), static_cast<int>(std::size(kMonthItems)));
  FillNumberItems(Control(EditorControl::Day), 31);
  SetVisibleItems(Control(EditorControl::Day), 31);

  // The typed characters of the number fields pass the key filter first.
  for (EditorControl edit :
       {EditorControl::Hour, EditorControl::Minute, EditorControl::Second, EditorControl::Year})
    SetWindowSubclass(Control(edit), &TaskEditor::NumberFieldProc, 0,
                      reinterpret_cast<DWORD_PTR>(this));
  // Themed check boxes ignore the text colour their parent gives, and the shutdown box's caption
  // must turn red; all seven are drawn alike.
  static const auto setWindowTheme =
      SystemFunction<decltype(&SetWindowTheme)>(L"uxtheme.dll", "SetWindowTheme");
  for (EditorControl box : {EditorControl::DeleteAfter, EditorControl::ShutDown,
                            EditorControl::RunFile, EditorControl::Beep, EditorControl::ShowMessage,
                            EditorControl::RepeatSound, EditorControl::Wake})
    if (setWindowTheme) setWindowTheme(Control(box), L"", L"");
  OnSoundActionsToggled();
  return true;
}
