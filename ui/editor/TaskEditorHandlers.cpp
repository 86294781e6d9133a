// The task editor's field handlers: the control rules that run them, the number fields and their
// arrows, the recurrence and the date lists, the action boxes and the file chooser.
#include <iterator>
#include <mutex>
#include <optional>

#include "core/PathParts.h"
#include "ui/editor/DateFields.h"
#include "ui/editor/EditorRecord.h"
#include "ui/editor/TaskEditor.h"
#include "ui/shared/ControlAccess.h"
#include "ui/shared/WindowTexts.h"
#include "win32/ErrorBox.h"

namespace {

constexpr COLORREF kShutDownCaptionRed = 255;

// The number fields' arrows, in the order of lastArrow_: first those of the time fields in the
// order of TimeField.
constexpr EditorControl kArrows[] = {
    EditorControl::HourArrows,     EditorControl::MinuteArrows,     EditorControl::SecondArrows,
    EditorControl::TillHourArrows, EditorControl::TillMinuteArrows, EditorControl::TillSecondArrows,
    EditorControl::YearArrows,     EditorControl::EveryArrows,      EditorControl::WarnArrows};
constexpr size_t kTimeFieldCount = 6;

struct TimeFieldParts {
  EditorControl edit;
  EditorControl arrows;
  int32_t highestValue;
  int32_t EditorMoment::*remembered;  // null for the end time, which the editor does not remember
};

TimeFieldParts PartsOf(TimeField field) {
  using C = EditorControl;
  switch (field) {
    case TimeField::Hour:
      return {C::Hour, C::HourArrows, kHourHighest, &EditorMoment::hour};
    case TimeField::Minute:
      return {C::Minute, C::MinuteArrows, kMinuteHighest, &EditorMoment::minute};
    case TimeField::Second:
      return {C::Second, C::SecondArrows, kMinuteHighest, &EditorMoment::second};
    case TimeField::TillHour:
      return {C::TillHour, C::TillHourArrows, kHourHighest, nullptr};
    case TimeField::TillMinute:
      return {C::TillMinute, C::TillMinuteArrows, kMinuteHighest, nullptr};
    case TimeField::TillSecond:
      break;
  }
  return {C::TillSecond, C::TillSecondArrows, kMinuteHighest, nullptr};
}

// The end time's controls.
constexpr EditorControl kTillControls[] = {
    EditorControl::LabelTill,       EditorControl::TillHour,         EditorControl::TillHourArrows,
    EditorControl::TillMinute,      EditorControl::TillMinuteArrows, EditorControl::TillSecond,
    EditorControl::TillSecondArrows};

constexpr EditorControl kWeekdayBoxes[] = {EditorControl::MondayBox,    EditorControl::TuesdayBox,
                                           EditorControl::WednesdayBox, EditorControl::ThursdayBox,
                                           EditorControl::FridayBox,    EditorControl::SaturdayBox,
                                           EditorControl::SundayBox};

}  // namespace

void TaskEditor::OnCommand(EditorControl control, UINT code) {
  switch (control) {
    case EditorControl::Hour:
    case EditorControl::Minute:
    case EditorControl::Second:
    case EditorControl::Year:
    case EditorControl::TillHour:
    case EditorControl::TillMinute:
    case EditorControl::TillSecond:
    case EditorControl::Every:
    case EditorControl::Warn:
      // A text set from code has its handler run by SetEditText, once and only on a change.
      if (code == EN_CHANGE && settingText_ == 0) RunChangeHandler(control);
      return;
    case EditorControl::Recurrence:
      if (code == CBN_SELCHANGE) OnRecurrenceChanged();
      return;
    case EditorControl::Month:
      if (code == CBN_SELCHANGE) OnMonthChanged();
      return;
    case EditorControl::Day:
      if (code == CBN_SELCHANGE) OnDayChanged();
      return;
    default:
      if (code == BN_CLICKED) RunClickHandler(control);
      return;
  }
}

void TaskEditor::SetEditText(EditorControl edit, const std::string& text) {
  HWND control = Control(edit);
  if (ControlText(control) == text) return;
  ++settingText_;
  SetControlText(control, text);
  --settingText_;
  RunChangeHandler(edit);
}

void TaskEditor::SetChecked(EditorControl checkBox, bool checked) {
  HWND control = Control(checkBox);
  if (IsChecked(control) == checked) return;
  SetCheckState(control, checked);
  RunClickHandler(checkBox);
}

void TaskEditor::RunChangeHandler(EditorControl edit) {
  switch (edit) {
    case EditorControl::Hour:
      return OnTimeFieldChanged(TimeField::Hour);
    case EditorControl::Minute:
      return OnTimeFieldChanged(TimeField::Minute);
    case EditorControl::Second:
      return OnTimeFieldChanged(TimeField::Second);
    case EditorControl::Year:
      return OnYearChanged();
    case EditorControl::TillHour:
      return OnTimeFieldChanged(TimeField::TillHour);
    case EditorControl::TillMinute:
      return OnTimeFieldChanged(TimeField::TillMinute);
    case EditorControl::TillSecond:
      return OnTimeFieldChanged(TimeField::TillSecond);
    case EditorControl::Every:
    case EditorControl::Warn:
      return OnBoundedFieldChanged(edit);
    default:
      return;  // the message and the file field have no change handler
  }
}

void TaskEditor::RunClickHandler(EditorControl control) {
  switch (control) {
    case EditorControl::ShutDown:
      return OnShutDownToggled();
    case EditorControl::RunFile:
      return OnRunFileToggled();
    case EditorControl::Beep:
    case EditorControl::ShowMessage:
      return OnSoundActionsToggled();
    case EditorControl::Ok:
      return Ok();
    case EditorControl::Cancel:
      return Cancel();
    case EditorControl::ChooseFile:
      return ChooseFile();
    case EditorControl::ChooseSound:
      return ChooseSound();
    case EditorControl::Melody:
      return ChooseMelody();
    default:
      return;
  }
}

void TaskEditor::Enable(EditorControl control, bool enabled) {
  EnableWindow(Control(control), enabled ? TRUE : FALSE);
}

LRESULT CALLBACK TaskEditor::NumberFieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR subclassId, DWORD_PTR) {
  if (message == WM_CHAR && !IsNumberKey(static_cast<uint32_t>(wParam))) return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &TaskEditor::NumberFieldProc, subclassId);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void TaskEditor::OnArrowsNotified(const NMUPDOWN& change) {
  // The arrows step after this notification; their handler runs once they have.
  for (size_t i = 0; i < std::size(kArrows); ++i)
    if (change.hdr.hwndFrom == Control(kArrows[i]))
      lastArrow_[i] = change.iDelta > 0 ? ArrowButton::Up : ArrowButton::Down;
}

void TaskEditor::OnArrowsMoved(HWND upDown) {
  for (size_t i = 0; i < kTimeFieldCount; ++i)
    if (upDown == Control(kArrows[i])) OnTimeArrows(static_cast<TimeField>(i), lastArrow_[i]);
  if (upDown == Control(EditorControl::YearArrows)) OnYearArrows();
  // N and the warning stop at their ends: the arrows' position is the value.
  if (upDown == Control(EditorControl::EveryArrows))
    SetEditText(EditorControl::Every, DecimalText(ArrowsPosition(upDown)));
  if (upDown == Control(EditorControl::WarnArrows))
    SetEditText(EditorControl::Warn, DecimalText(ArrowsPosition(upDown)));
}

LRESULT TaskEditor::OnControlColour(HDC dc, HWND control) {
  if (control != Control(EditorControl::ShutDown))
    return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
  // The system's text colour, not black: in High Contrast the button face may be dark.
  SetTextColor(dc, shutDownCaptionRed_ ? kShutDownCaptionRed : GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void TaskEditor::OnTimeFieldChanged(TimeField field) {
  const TimeFieldParts parts = PartsOf(field);
  const NumberFieldValue value =
      NormaliseTimeField(ControlText(Control(parts.edit)), parts.highestValue);
  if (!value.valid) {
    // The arrows and the remembered moment keep their values, the field its text.
    ShowErrorBox(hwnd_, value.error);
    return;
  }
  SetArrowsPosition(Control(parts.arrows), value.position);
  const int position = ArrowsPosition(Control(parts.arrows));
  if (parts.remembered) remembered_.*parts.remembered = position;
  SetEditText(parts.edit, DecimalText(position));
}

void TaskEditor::OnBoundedFieldChanged(EditorControl edit) {
  const bool every = edit == EditorControl::Every;
  const EditorControl arrows = every ? EditorControl::EveryArrows : EditorControl::WarnArrows;
  const int32_t lowest = every ? 1 : 0;
  const int32_t highest =
      every ? RuleLayoutFor(SelectedIndex(Control(EditorControl::Recurrence))).everyHighest
            : kWarnHighest;
  const NumberFieldValue value = NormaliseBoundedField(ControlText(Control(edit)), lowest, highest);
  if (!value.valid) {
    ShowErrorBox(hwnd_, value.error);  // the arrows keep their position, the field its text
    return;
  }
  SetArrowsPosition(Control(arrows), value.position);
  SetEditText(edit, DecimalText(value.position));
}

void TaskEditor::SetEveryRange() {
  const RuleLayout layout = RuleLayoutFor(SelectedIndex(Control(EditorControl::Recurrence)));
  SendMessageW(Control(EditorControl::EveryArrows), UDM_SETRANGE32, 1, layout.everyHighest);
  if (layout.every) OnBoundedFieldChanged(EditorControl::Every);
}

void TaskEditor::ShowWeekdayBoxes(int32_t weekdays) {
  for (size_t i = 0; i < std::size(kWeekdayBoxes); ++i)
    SetCheckState(Control(kWeekdayBoxes[i]),
                  (weekdays & WeekdayBitOfEntry(static_cast<int32_t>(i))) != 0);
}

int32_t TaskEditor::CheckedWeekdays() const {
  int32_t weekdays = 0;
  for (size_t i = 0; i < std::size(kWeekdayBoxes); ++i)
    if (IsChecked(Control(kWeekdayBoxes[i])))
      weekdays |= WeekdayBitOfEntry(static_cast<int32_t>(i));
  return weekdays;
}

void TaskEditor::ShowRuleControls(const RuleControls& controls) {
  SelectIndex(Control(EditorControl::Recurrence), controls.listIndex);
  SetEditText(EditorControl::Every, DecimalText(controls.every));
  SetEditText(EditorControl::TillHour, DecimalText(controls.tillSecond / 3600));
  SetEditText(EditorControl::TillMinute, DecimalText(controls.tillSecond / 60 % 60));
  SetEditText(EditorControl::TillSecond, DecimalText(controls.tillSecond % 60));
  ShowWeekdayBoxes(controls.weekdayBoxes);
  SelectIndex(Control(EditorControl::WeekOfMonth), controls.weekOfMonthIndex);
  SelectIndex(Control(EditorControl::WeekdayOfMonth), controls.weekdayIndex);
}

void TaskEditor::OnTimeArrows(TimeField field, ArrowButton button) {
  const TimeFieldParts parts = PartsOf(field);
  const int position = ArrowsPosition(Control(parts.arrows));
  const int wrapped = WrapTimeArrows(position, button, parts.highestValue);
  if (wrapped != position) SetArrowsPosition(Control(parts.arrows), wrapped);
  SetEditText(parts.edit, DecimalText(wrapped));
}

void TaskEditor::OnYearArrows() {
  SetEditText(EditorControl::Year, DecimalText(ArrowsPosition(Control(EditorControl::YearArrows))));
}

void TaskEditor::OnYearChanged() {
  const NumberFieldValue value = NormaliseYearField(ControlText(Control(EditorControl::Year)));
  if (!value.valid) {
    ShowErrorBox(hwnd_, value.error);
    return;
  }
  SetArrowsPosition(Control(EditorControl::YearArrows), value.position);
  const int position = ArrowsPosition(Control(EditorControl::YearArrows));
  remembered_.year = position;
  // February's length depends on the year.
  OnMonthChanged();
}

void TaskEditor::OnShutDownToggled() {
  const bool shutDown = IsChecked(Control(EditorControl::ShutDown));
  for (EditorControl control :
       {EditorControl::RunFile, EditorControl::Beep, EditorControl::ShowMessage,
        EditorControl::FileName, EditorControl::ChooseFile})
    Enable(control, !shutDown);
  shutDownCaptionRed_ = shutDown;
  InvalidateRect(Control(EditorControl::ShutDown), nullptr, TRUE);
  OnSoundActionsToggled();
}

void TaskEditor::OnRunFileToggled() {
  const bool runFile = IsChecked(Control(EditorControl::RunFile));
  Enable(EditorControl::FileName, runFile);
  Enable(EditorControl::ChooseFile, runFile);
}

void TaskEditor::OnSoundActionsToggled() {
  // The shutdown box greys the sound and message boxes out, and with them what depends on them.
  const bool shutDown = IsChecked(Control(EditorControl::ShutDown));
  const bool sound = IsChecked(Control(EditorControl::Beep)) && !shutDown;
  Enable(EditorControl::SoundFile, sound);
  Enable(EditorControl::ChooseSound, sound);
  Enable(EditorControl::Melody, sound && !soundChooser_.fileName.empty());
  Enable(EditorControl::RepeatSound,
         RepeatAllowed(IsChecked(Control(EditorControl::ShowMessage)), sound));
}

void TaskEditor::ShowSoundChoice() {
  const std::string& file = soundChooser_.fileName;
  SetEditText(EditorControl::SoundFile, file.empty() ? kMelodyText : NamePart(file));
}

std::optional<std::string> TaskEditor::RunChooser(FileChooser& chooser) {
  const FileChooser::Choice choice = chooser.Show(hwnd_);
  if (choice == FileChooser::Choice::NameNotStorable) ShowWarning(kFileNameWarning);
  if (choice != FileChooser::Choice::Chosen) return std::nullopt;
  return FolderPart(chooser.fileName);
}

void TaskEditor::ChooseFile() {
  const std::optional<std::string> folder = RunChooser(fileChooser_);
  if (!folder) return;
  SetEditText(EditorControl::FileName, NamePart(fileChooser_.fileName));
  fileChooser_.initialFolder = *folder;
  std::lock_guard lock(store_.mutex);
  store_.settings.lastFileFolder = *folder;
}

void TaskEditor::ChooseSound() {
  {
    // Without a sound chosen the dialog starts where the last one was chosen.
    std::lock_guard lock(store_.mutex);
    soundChooser_.initialFolder = store_.settings.lastSoundFolder;
  }
  const std::optional<std::string> folder = RunChooser(soundChooser_);
  if (!folder) return;
  ShowSoundChoice();
  OnSoundActionsToggled();
  std::lock_guard lock(store_.mutex);
  store_.settings.lastSoundFolder = *folder;
}

void TaskEditor::ChooseMelody() {
  // The button greys out: the focus it had goes to the chooser's button beside it.
  if (GetFocus() == Control(EditorControl::Melody)) SetFocus(Control(EditorControl::ChooseSound));
  soundChooser_.fileName.clear();
  ShowSoundChoice();
  OnSoundActionsToggled();
}

void TaskEditor::OnShown() {
  // Messages are written in Russian: typing can start at once in the Russian layout, when the
  // user has it.
  russianLayout_.emplace();
  SetFocus(Control(EditorControl::Message));
}

void TaskEditor::OnRecurrenceChanged() {
  const int32_t item = SelectedIndex(Control(EditorControl::Recurrence));
  const RecurrenceLayout layout = LayoutForRecurrence(item);
  if (!layout.known) return;
  const RuleLayout rule = RuleLayoutFor(item);
  for (EditorControl control :
       {EditorControl::LabelEvery, EditorControl::Every, EditorControl::EveryArrows})
    Enable(control, rule.every);
  for (EditorControl control : kTillControls) Enable(control, rule.till);
  // Working days show Monday to Friday, which the boxes cannot change.
  if (item == kWorkingDaysItem) ShowWeekdayBoxes(kWorkingDays);
  for (EditorControl box : kWeekdayBoxes) Enable(box, rule.weekdayBoxes);
  Enable(EditorControl::WeekOfMonth, rule.nthLists);
  Enable(EditorControl::WeekdayOfMonth, rule.nthLists);
  SetEveryRange();
  Enable(EditorControl::LabelMonth, layout.month);
  Enable(EditorControl::Month, layout.month);
  Enable(EditorControl::LabelYear, layout.year);
  Enable(EditorControl::Year, layout.year);
  Enable(EditorControl::YearArrows, layout.year);
  Enable(EditorControl::LabelDay, layout.day);
  Enable(EditorControl::Day, layout.day);
  Enable(EditorControl::DeleteAfter, layout.deleteAfter);
  switch (layout.then) {
    case RecurrenceFollowUp::None:
      return;
    case RecurrenceFollowUp::MonthlyDayList: {
      HWND days = Control(EditorControl::Day);
      FillNumberItems(days, kMonthlyDayCount);
      SetVisibleItems(days, kMonthlyDayCount);
      SelectIndex(days, remembered_.day - 1);
      OnDayChanged();
      return;
    }
    case RecurrenceFollowUp::MonthLogic:
      OnMonthChanged();
      return;
  }
}

void TaskEditor::OnMonthChanged() {
  const int monthIndex = SelectedIndex(Control(EditorControl::Month));
  const int recurrenceIndex = SelectedIndex(Control(EditorControl::Recurrence));
  const DayList list = MonthChosen(remembered_, monthIndex, recurrenceIndex);
  HWND days = Control(EditorControl::Day);
  FillNumberItems(days, list.count);
  SetVisibleItems(days, list.count);
  SelectIndex(days, list.selectedIndex);
  if (list.warning && !filling_) ShowWarning(*list.warning);
}

void TaskEditor::OnDayChanged() {
  const int dayIndex = SelectedIndex(Control(EditorControl::Day));
  const int recurrenceIndex = SelectedIndex(Control(EditorControl::Recurrence));
  const std::optional<std::string> warning = DayChosen(remembered_, dayIndex, recurrenceIndex);
  if (warning && !filling_) ShowWarning(*warning);
}
