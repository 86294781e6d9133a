// The task editor: a modal dialog, created when first opened and reused, in which the user writes
// a new task or changes one. Its opener fills the controls and shows it; OK writes the record
// into the task table, and the caller builds the row, arms the task and saves.
//
// Its controls follow three rules that the handlers rely on: a check box set from code runs its
// click handler when its state changes; an edit's text set from code runs its change handler
// when the text changes; selecting a list item from code runs no handler.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/Store.h"
#include "ui/editor/DateFields.h"
#include "ui/editor/FileChooser.h"
#include "ui/editor/RuleFields.h"
#include "ui/editor/TimeFields.h"
#include "ui/shared/ModalLoop.h"
#include "ui/shared/WindowBase.h"
#include "ui/shared/WindowTexts.h"
#include "win32/CommonControls.h"
#include "win32/Handles.h"
#include "win32/KeyboardLayout.h"
#include "win32/LocalTime.h"

// The window's controls; their identifiers stay clear of IDOK and IDCANCEL, since neither button
// is the window's default or cancel button. The layout table creates them in the tab order.
enum class EditorControl : int {
  MomentGroup,   // "Момент выполнения"
  ActionsGroup,  // "Дополнительные параметры"
  LabelMessage,
  LabelHour,
  LabelMinute,
  LabelSecond,
  LabelYear,
  LabelMonth,
  LabelDay,
  Hour,
  Minute,
  Second,
  Recurrence,
  HourArrows,
  Year,
  Month,
  Day,
  MinuteArrows,
  SecondArrows,
  YearArrows,
  FileName,  // the chosen file's name, without its folder
  RunFile,
  ChooseFile,  // "выбор..."
  DeleteAfter,
  ShutDown,
  Beep,
  ShowMessage,
  Ok,
  Cancel,
  Message,
  // Added later, after the older identifiers; the layout table puts them in their tab order.
  SoundFile,    // "Мелодия" or the sound file's name, without its folder
  ChooseSound,  // "..."
  Melody,       // back to the melody
  RepeatSound,  // "Повторять до ответа"
  Wake,         // "Разбудить компьютер"
  // The repeat rules' controls: the end of the day's moments under the time fields, N, the
  // weekday boxes Monday to Sunday, the week of the month and its weekday; then the warning.
  LabelTill,
  TillHour,
  TillHourArrows,
  TillMinute,
  TillMinuteArrows,
  TillSecond,
  TillSecondArrows,
  LabelEvery,
  Every,
  EveryArrows,
  MondayBox,
  TuesdayBox,
  WednesdayBox,
  ThursdayBox,
  FridayBox,
  SaturdayBox,
  SundayBox,
  WeekOfMonth,
  WeekdayOfMonth,
  LabelWarn,  // "Напомнить заранее за"
  Warn,
  WarnArrows,
  LabelWarnUnit,  // "мин"
  Count
};

// The fields of the time of day, and of the end of the day's moments.
enum class TimeField { Hour, Minute, Second, TillHour, TillMinute, TillSecond };

class TaskEditor : public WindowBase {
 public:
  // The window class. Users' automation scripts find the editor by it.
  static constexpr wchar_t kClassName[] = L"TForm2";
  // In pixels at 96 dots per inch, like the control table; shown scaled to the window's density.
  static constexpr int kClientWidth = 676, kClientHeight = 292;
  // Control identifiers: kFirstControlId + the EditorControl value.
  static constexpr int kFirstControlId = 1000;

  // What an opening came to: `committed` when OK wrote the record. `taskId` is the identity of
  // the task written (a new one) or edited (also when cancelled); find its index again with
  // Store::IndexOf under the lock.
  struct Result {
    bool committed = false;
    uint64_t taskId = 0;
  };

  // `clock` gives the local time at which OK saves: the program passes its platform's clock.
  explicit TaskEditor(Store& store, std::function<SystemTime()> clock = LocalSystemTime)
      : store_(store), clock_(std::move(clock)) {}

  // Creates the window and its controls, hidden, owned by `owner` (the main window).
  bool Create(HWND owner);
  // Leaves the window to be created, owned by `owner`, when the editor first opens: the start of
  // the program does not pay for it. Kept, hidden, between openings.
  void CreateOnFirstOpening(HWND owner) { owner_ = owner; }
  // Whether the window exists, created now if it was left to the first opening.
  bool EnsureCreated() { return hwnd_ || (owner_ && Create(owner_)); }
  HWND Control(EditorControl control) const { return controls_[Index(control)]; }

  // The add command's part of the work: the caption, the editor centred over the main window,
  // the controls filled from the remembered moment, shown modally. Refused (nothing done, not
  // committed) while the editor is already open.
  Result OpenForNew();
  // The edit command's part: the task at `index` is disarmed, the caption gets its number, the
  // controls are filled from the record, shown modally. The caller re-arms the task (found by
  // taskId) after building its row. Refused while the editor is open, and for an index outside
  // the table.
  Result OpenForEdit(int index);
  // The same for the task with this identity, wherever it stands when the editor takes it.
  Result OpenForEditById(uint64_t taskId);

  // The steps of an opening: filling (ending with OnRunFileToggled and OnRecurrenceChanged),
  // and the modal run.
  void FillForNew();
  bool FillForEdit(int index, uint64_t taskId = 0);
  void ShowModal();
  bool IsOpen() const { return loop_.Running(); }
  // Opened by the add command and not closed since: Escape is then the editor's Cancel.
  bool IsOpenForNewTask() const { return openForNewTask_; }
  // The task the last filling took (0 for a new one), and whether OK has written it since.
  uint64_t EditedTaskId() const { return editedTaskId_; }
  bool Committed() const { return committed_; }

  // The message hook of the application, which the modal loop runs for every message it takes,
  // as the main loop does.
  void SetApplicationMessageHook(std::function<void(const MSG&)> hook) {
    applicationHook_ = std::move(hook);
  }
  // The editor's part of that hook: the Escape key while the editor is open for a new task is
  // its Cancel. It never marks the message as handled.
  void CancelOnEscape(const MSG& message);

  FileChooser& Chooser() { return fileChooser_; }
  // The sound chooser: its file name is the sound of the task being written, empty for the melody.
  FileChooser& SoundChooser() { return soundChooser_; }
  // The date and time the editor last showed; set before Create, which selects its date.
  EditorMoment& Remembered() { return remembered_; }

  void Ok();
  // Also the close box, Escape for a new task, and hiding the program to the tray.
  void Cancel();

 private:
  static constexpr size_t Index(EditorControl control) { return static_cast<size_t>(control); }
  static LRESULT CALLBACK NumberFieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR subclassId, DWORD_PTR refData);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnCreate();
  bool CreateControls();
  // Moves the controls to their places at the window's density and gives them its fonts.
  void PlaceControls();
  void OnDensityChanged(int previousDpi) override;
  // The controls' notifications, by the control they come from.
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  void OnCommand(EditorControl control, UINT code);
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnVerticalScroll(WPARAM wParam, LPARAM lParam);
  void OnArrowsNotified(const NMUPDOWN& change);
  void OnArrowsMoved(HWND upDown);
  LRESULT OnControlColour(HDC dc, HWND control);
  // The control that had the focus gets it back when the window is activated again.
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);

  // The control rules: these run the control's handler as the rules say.
  void SetEditText(EditorControl edit, const std::string& text);
  void SetChecked(EditorControl checkBox, bool checked);
  void RunChangeHandler(EditorControl edit);
  void RunClickHandler(EditorControl control);  // a check box's or a button's

  // The field handlers.
  void OnTimeFieldChanged(TimeField field);
  void OnTimeArrows(TimeField field, ArrowButton button);
  // N and the warning's minutes: kept within their ranges; their arrows stop at the ends.
  void OnBoundedFieldChanged(EditorControl edit);
  void SetEveryRange();  // N's range follows the recurrence item
  void ShowRuleControls(const RuleControls& controls);
  void ShowWeekdayBoxes(int32_t weekdays);
  int32_t CheckedWeekdays() const;
  void OnYearChanged();
  void OnYearArrows();
  void OnRecurrenceChanged();
  void OnMonthChanged();
  void OnDayChanged();
  void OnShutDownToggled();
  void OnRunFileToggled();
  // The sound's controls follow the message, sound and shutdown boxes and the sound chosen.
  void OnSoundActionsToggled();
  void ShowSoundChoice();
  // Runs `chooser`: the folder of the file chosen, or nothing (cancelled, or a name the program
  // cannot store, which a box says).
  std::optional<std::string> RunChooser(FileChooser& chooser);
  void ChooseFile();
  void ChooseSound();
  void ChooseMelody();
  void OnShown();

  void Enable(EditorControl control, bool enabled);
  void Close();  // also the close box
  void ShowWarning(const std::string& text);

  Store& store_;
  HWND owner_ = nullptr;  // for a window created on first opening
  std::function<SystemTime()> clock_;
  std::array<HWND, static_cast<size_t>(EditorControl::Count)> controls_{};
  UniqueFont font_;         // "MS Sans Serif", 13 pixels, bold
  UniqueFont messageFont_;  // "Arial", 15 pixels, bold
  FileChooser fileChooser_;
  FileChooser soundChooser_{kSoundFileFilter, true};
  EditorMoment remembered_;
  std::function<void(const MSG&)> applicationHook_;
  ModalLoop loop_;
  std::optional<RussianLayoutWhileOpen> russianLayout_;  // while the editor is open

  bool openForNewTask_ = false;
  uint64_t editedTaskId_ = 0;  // 0 while a new task is written
  bool committed_ = false;
  uint64_t committedTaskId_ = 0;
  // While an opening fills the controls: the date warnings are for the user's own choices only.
  bool filling_ = false;
  int settingText_ = 0;  // > 0 while code sets an edit's text: its own notification is not a user's
  bool shutDownCaptionRed_ = false;
  std::array<ArrowButton, 9> lastArrow_{};  // the arrow last pressed on each of the arrows
  HWND focusBeforeDeactivation_ = nullptr;
};
