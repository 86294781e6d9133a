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

// The arrows of the hour, minute, second and year fields, in the order of lastArrow_.
constexpr EditorControl kArrows[] = {EditorControl::HourArrows, EditorControl::MinuteArrows,
                                     EditorControl::SecondArrows, EditorControl::YearArrows};

struct TimeFieldParts {
  EditorControl edit;
  EditorControl arrows;
  int32_t highestValue;
  int32_t EditorMoment::*remembered;
};

TimeFieldParts PartsOf(TimeField field) {
  switch (field) {
    case TimeField::Hour:
      return {EditorControl::Hour, EditorControl::HourArrows, kHourHighest, &EditorMoment::hour};
    case TimeField::Minute:
      return {EditorControl::Minute, EditorControl::MinuteArrows, kMinuteHighest,
              &EditorMoment::minute};
    case TimeField::Second:
      break;
  }
  return {EditorControl::Second, EditorControl::SecondArrows, kMinuteHighest,
          &EditorMoment::second};
}

}  // namespace

void TaskEditor::OnCommand(EditorControl control, UINT code) {
  switch (control) {
    case EditorControl::Hour:
    case EditorControl::Minute:
    case EditorControl::Second:
    case EditorControl::Year:
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
  if (upDown == Control(EditorControl::HourArrows)) OnTimeArrows(TimeField::Hour, lastArrow_[0]);
  if (upDown == Control(EditorControl::MinuteArrows))
    OnTimeArrows(TimeField::Minute, lastArrow_[1]);
  if (upDown == Control(EditorControl::SecondArrows))
    OnTimeArrows(TimeField::Second, lastArrow_[2]);
  if (upDown == Control(EditorControl::YearArrows)) OnYearArrows();
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
  remembered_.*parts.remembered = position;
  SetEditText(parts.edit, DecimalText(position));
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
  const RecurrenceLayout layout =
      LayoutForRecurrence(SelectedIndex(Control(EditorControl::Recurrence)));
  if (!layout.known) return;
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
