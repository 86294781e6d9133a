#include "ui/editor/TaskEditor.h"

#include <mutex>
#include <optional>
#include <vector>

#include "core/PathParts.h"
#include "core/Texts.h"
#include "ui/editor/DateFields.h"
#include "ui/editor/EditorRecord.h"
#include "ui/shared/ControlAccess.h"
#include "ui/shared/DialogFrame.h"
#include "ui/shared/DpiScale.h"
#include "ui/shared/ScreenPlacement.h"
#include "ui/shared/WindowTexts.h"
#include "win32/Dpi.h"
#include "win32/ErrorBox.h"
#include "win32/Text.h"

bool TaskEditor::Create(HWND owner) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  dpi_ = DialogDpi(owner);
  if (!CreateDialogFrame(*this, kClassName, kEditorFirstCaption, kClientWidth, kClientHeight, owner,
                         true))
    return false;
  // The month and day lists show the remembered date from the start. Without a month the month
  // logic would store month 0.
  SelectIndex(Control(EditorControl::Month), remembered_.month - 1);
  SelectIndex(Control(EditorControl::Day), remembered_.day - 1);
  return true;
}

LRESULT TaskEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // clang-format off
  switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_VSCROLL: return OnVerticalScroll(wParam, lParam);
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    case WM_DPICHANGED: return OnDpiChanged(wParam, lParam);
    case WM_CLOSE: Close(); return 0;
    default: return DefaultHandling(message, wParam, lParam);
  }
  // clang-format on
}

LRESULT TaskEditor::OnCreate() { return CreateControls() ? 0 : -1; }

LRESULT TaskEditor::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int index = LOWORD(wParam) - kFirstControlId;
  if (lParam && index >= 0 && index < static_cast<int>(EditorControl::Count))
    OnCommand(static_cast<EditorControl>(index), HIWORD(wParam));
  return 0;
}

LRESULT TaskEditor::OnNotify(const NMHDR& header) {
  if (header.code == UDN_DELTAPOS) OnArrowsNotified(reinterpret_cast<const NMUPDOWN&>(header));
  return 0;
}

LRESULT TaskEditor::OnVerticalScroll(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == SB_THUMBPOSITION && lParam) OnArrowsMoved(reinterpret_cast<HWND>(lParam));
  return 0;
}

LRESULT TaskEditor::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) != WA_INACTIVE && focusBeforeDeactivation_ &&
      IsChild(hwnd_, focusBeforeDeactivation_)) {
    SetFocus(focusBeforeDeactivation_);
    return 0;
  }
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    focusBeforeDeactivation_ = IsChild(hwnd_, focus) ? focus : nullptr;
  }
  return DefaultHandling(WM_ACTIVATE, wParam, lParam);
}

void TaskEditor::OnDensityChanged(int) {
  PlaceControls();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

TaskEditor::Result TaskEditor::OpenForNew() {
  if (IsOpen() || !EnsureCreated()) return {};
  openForNewTask_ = true;
  FillForNew();
  ShowModal();
  return {committed_, committed_ ? committedTaskId_ : 0};
}

TaskEditor::Result TaskEditor::OpenForEdit(int index) {
  if (IsOpen() || !EnsureCreated() || !FillForEdit(index)) return {};
  ShowModal();
  return {committed_, editedTaskId_};
}

TaskEditor::Result TaskEditor::OpenForEditById(uint64_t taskId) {
  if (IsOpen() || taskId == 0 || !EnsureCreated() || !FillForEdit(-1, taskId)) return {};
  ShowModal();
  return {committed_, editedTaskId_};
}

void TaskEditor::FillForNew() {
  filling_ = true;
  SetControlText(hwnd_, kNewTaskCaption);
  CentreOverOwner(hwnd_);
  // The remembered values are taken once: filling the year runs the month logic, which stores
  // the month list's selection of the moment in the remembered month.
  const EditorMoment remembered = remembered_;
  std::string lastFileFolder;
  {
    std::lock_guard lock(store_.mutex);
    lastFileFolder = store_.settings.lastFileFolder;
  }
  SetEditText(EditorControl::Message, "");
  SetEditText(EditorControl::Year, DecimalText(remembered.year));
  SelectIndex(Control(EditorControl::Month), remembered.month - 1);
  // Until a recurrence with a date has rebuilt it, the day list has no selection: it shows the
  // remembered day, so that OK never stores day 0.
  if (SelectedIndex(Control(EditorControl::Day)) < 0)
    SelectIndex(Control(EditorControl::Day), remembered.day - 1);
  SetEditText(EditorControl::Hour, DecimalText(remembered.hour));
  SetEditText(EditorControl::Minute, DecimalText(remembered.minute));
  SetEditText(EditorControl::Second, DecimalText(remembered.second));
  SetChecked(EditorControl::DeleteAfter, false);
  SetChecked(EditorControl::ShutDown, false);
  SetChecked(EditorControl::RunFile, false);
  SetChecked(EditorControl::ShowMessage, true);
  SetChecked(EditorControl::Beep, true);
  SetEditText(EditorControl::FileName, "");
  if (!lastFileFolder.empty()) fileChooser_.initialFolder = lastFileFolder;
  // A new task starts with the melody, played once.
  soundChooser_.fileName.clear();
  ShowSoundChoice();
  SetChecked(EditorControl::RepeatSound, false);
  SetChecked(EditorControl::Wake, false);
  SetEditText(EditorControl::Warn, "0");
  // The recurrence list and the chooser's file name stay as the last opening left them; the
  // rule's own fields start afresh (N 1, until 23:59:59, no weekday).
  RuleControls freshRule;
  freshRule.listIndex = SelectedIndex(Control(EditorControl::Recurrence));
  ShowRuleControls(freshRule);
  OnRunFileToggled();
  OnSoundActionsToggled();
  OnRecurrenceChanged();
  filling_ = false;
  editedTaskId_ = 0;
  committedTaskId_ = 0;
  committed_ = false;
}

bool TaskEditor::FillForEdit(int index, uint64_t taskId) {
  Task task;
  {
    std::lock_guard lock(store_.mutex);
    if (taskId != 0) index = store_.IndexOf(taskId);
    if (index < 0 || index >= static_cast<int>(store_.tasks.size())) return false;
    Task& stored = store_.tasks[static_cast<size_t>(index)];
    stored.armed = false;  // the checker leaves the task alone until the command re-arms it
    task = stored;
  }
  filling_ = true;
  SetControlText(hwnd_, kEditTaskCaption + DecimalText(index + 1));
  SetEditText(EditorControl::Message, task.message);
  SetEditText(EditorControl::Hour, DecimalText(task.hour));
  SetEditText(EditorControl::Minute, DecimalText(task.minute));
  SetEditText(EditorControl::Second, DecimalText(task.second));
  SetEditText(EditorControl::Year, DecimalText(task.year));
  // After the year: its month logic may have cut the remembered day to the month shown before.
  remembered_.day = task.day;
  ShowRuleControls(ControlsOfTask(task));
  SelectIndex(Control(EditorControl::Month), task.month - 1);
  SelectIndex(Control(EditorControl::Day), task.day - 1);
  SetChecked(EditorControl::DeleteAfter, task.deleteAfter);
  SetChecked(EditorControl::ShowMessage, task.showMessage);
  SetChecked(EditorControl::ShutDown, task.shutDown);
  SetChecked(EditorControl::RunFile, task.runFile);
  SetChecked(EditorControl::Beep, task.beep);
  if (task.runFile) {
    SetEditText(EditorControl::FileName, NamePart(task.fileName));
    fileChooser_.fileName = task.fileName;
    fileChooser_.initialFolder = FolderPart(task.fileName);
  } else {
    SetEditText(EditorControl::FileName, "");
  }
  soundChooser_.fileName = task.soundChoice.file;
  ShowSoundChoice();
  SetChecked(EditorControl::RepeatSound, task.soundChoice.repeat);
  SetChecked(EditorControl::Wake, task.wake);
  SetEditText(EditorControl::Warn, DecimalText(task.warnMinutes));
  OnRunFileToggled();
  OnSoundActionsToggled();
  OnRecurrenceChanged();
  filling_ = false;
  editedTaskId_ = task.id;
  committedTaskId_ = 0;
  committed_ = false;
  return true;
}

void TaskEditor::ShowModal() {
  if (IsOpen() || !hwnd_) return;
  // Enter presses the focused button, as in every window; in the message field a new line.
  loop_.Run(hwnd_, {.shown = [this] { OnShown(); },
                    .hook = applicationHook_,
                    .enter = {},
                    .cancel = [this] { Close(); }});
  russianLayout_.reset();
}

void TaskEditor::CancelOnEscape(const MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && openForNewTask_) Cancel();
}

void TaskEditor::Close() {
  if (!hwnd_ || (!IsOpen() && !IsWindowVisible(hwnd_))) return;
  openForNewTask_ = false;
  if (IsOpen())
    loop_.End();
  else
    ShowWindow(hwnd_, SW_HIDE);
}

void TaskEditor::ShowWarning(const std::string& text) {
  MessageBoxW(hwnd_, ToWide(text).c_str(), ToWide(kWarningCaption).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

// ---- OK and Cancel ----

void TaskEditor::Ok() {
  if (!IsOpen() && !IsWindowVisible(hwnd_)) return;
  EditorFields fields;
  fields.recurrenceIndex = SelectedIndex(Control(EditorControl::Recurrence));
  fields.text = ControlText(Control(EditorControl::Message));
  fields.hourText = ControlText(Control(EditorControl::Hour));
  fields.minuteText = ControlText(Control(EditorControl::Minute));
  fields.secondText = ControlText(Control(EditorControl::Second));
  fields.yearText = ControlText(Control(EditorControl::Year));
  fields.monthIndex = SelectedIndex(Control(EditorControl::Month));
  fields.dayIndex = SelectedIndex(Control(EditorControl::Day));
  fields.deleteChecked = IsChecked(Control(EditorControl::DeleteAfter));
  fields.deleteEnabled = IsWindowEnabled(Control(EditorControl::DeleteAfter));
  fields.shutDownChecked = IsChecked(Control(EditorControl::ShutDown));
  fields.showMessageChecked = IsChecked(Control(EditorControl::ShowMessage));
  fields.beepChecked = IsChecked(Control(EditorControl::Beep));
  fields.runFileChecked = IsChecked(Control(EditorControl::RunFile));
  fields.runFileEnabled = IsWindowEnabled(Control(EditorControl::RunFile));
  fields.fileField = ControlText(Control(EditorControl::FileName));
  fields.fileName = fileChooser_.fileName;
  fields.soundFile = soundChooser_.fileName;
  fields.repeatChecked = IsChecked(Control(EditorControl::RepeatSound));
  fields.wakeChecked = IsChecked(Control(EditorControl::Wake));
  fields.everyText = ControlText(Control(EditorControl::Every));
  fields.tillHourText = ControlText(Control(EditorControl::TillHour));
  fields.tillMinuteText = ControlText(Control(EditorControl::TillMinute));
  fields.tillSecondText = ControlText(Control(EditorControl::TillSecond));
  fields.weekdayBoxes = CheckedWeekdays();
  fields.weekOfMonthIndex = SelectedIndex(Control(EditorControl::WeekOfMonth));
  fields.weekdayIndex = SelectedIndex(Control(EditorControl::WeekdayOfMonth));
  fields.warnText = ControlText(Control(EditorControl::Warn));

  // A second OK (its window already closed) finds nothing to write, as after Cancel.
  const CommitResult result =
      committed_ ? CommitResult{} : CommitEditor(store_, editedTaskId_, fields, clock_());
  switch (result.outcome) {
    case CommitResult::Outcome::NotANumber:
      ShowErrorBox(hwnd_, result.error);  // the dialog stays open, the table unchanged
      return;
    case CommitResult::Outcome::NoWeekday:
      ShowWarning(kNoWeekdayWarning);
      return;
    case CommitResult::Outcome::TaskGone:
      Close();  // nothing to write into: as after Cancel
      return;
    case CommitResult::Outcome::Written:
      committedTaskId_ = result.taskId;
      committed_ = true;
      Close();
      return;
  }
}

void TaskEditor::Cancel() { Close(); }
