// TForm2, the task editor: a modal dialog, created once at start-up and reused, in which the
// user writes a new task or changes one. Its opener fills the controls and shows it; OK writes
// the record into the task table, and the caller builds the row, arms the task and saves.
//
// Its controls follow three rules that the handlers rely on: a check box set from code runs its
// click handler when its state changes; an edit's text set from code runs its change handler
// when the text changes; selecting a list item from code runs no handler.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/Store.h"
#include "ui/editor/FileChooser.h"
#include "ui/editor/TimeFields.h"
#include "win32/CommonControls.h"
#include "win32/Handles.h"

// The window's controls. Those that take the focus are created in this order, which is the tab
// order; their identifiers stay clear of IDOK and IDCANCEL, since neither button is the window's
// default or cancel button.
enum class EditorControl : int {
  GroupBox1,  // "Момент выполнения"
  GroupBox2,  // "Дополнительные параметры"
  LabelMessage,
  LabelHour,
  LabelMinute,
  LabelSecond,
  LabelYear,
  LabelMonth,
  LabelDay,
  Edit1,      // hour
  Edit2,      // minute
  Edit3,      // second
  ComboBox1,  // mode
  UpDown1,
  Edit4,      // year
  ComboBox3,  // month
  ComboBox4,  // day
  UpDown2,
  UpDown3,
  UpDown4,
  Edit5,      // the chosen file's name
  CheckBox3,  // run the file
  Button3,    // "выбор..."
  CheckBox1,  // delete after running
  CheckBox2,  // shut the computer down
  CheckBox4,  // beep
  CheckBox5,  // show the message
  Button1,    // OK
  Button2,    // Cancel
  Memo1,
  Count
};

class TForm2 {
 public:
  static constexpr wchar_t kClassName[] = L"TForm2";
  // In pixels at 96 dots per inch, like the control table; shown scaled to the window's density.
  static constexpr int kClientWidth = 697;
  static constexpr int kClientHeight = 238;
  // Control identifiers: kFirstControlId + the EditorControl value.
  static constexpr int kFirstControlId = 1000;

  // What an opening came to: `committed` when OK wrote the record. `taskId` is the identity of
  // the task written (a new one) or edited (also when cancelled); find its index again with
  // Store::IndexOf under the lock.
  struct Result {
    bool committed = false;
    uint64_t taskId = 0;
  };

  explicit TForm2(Store& store);
  ~TForm2();
  TForm2(const TForm2&) = delete;
  TForm2& operator=(const TForm2&) = delete;

  // Creates the window and its controls, hidden, owned by `owner` (the main window).
  bool Create(HWND owner);
  HWND Handle() const { return hwnd_; }
  HWND Control(EditorControl control) const { return controls_[Index(control)]; }

  // The add command's part of the work: DialogMode 1, the caption, the editor centred over the
  // main window, the controls filled from settings, Tag -1, shown modally. Refused (nothing done,
  // not committed) while the editor is already open.
  Result OpenForNew();
  // The edit command's part: the task at `index` is disarmed, the caption gets its number, the
  // controls are filled from the record, Tag = index, shown modally. The caller re-arms the task
  // (found by taskId) after building its row. Refused while the editor is open, and for an
  // index outside the table.
  Result OpenForEdit(int index);
  // The same for the task with this identity, wherever it stands when the editor takes it.
  Result OpenForEditById(uint64_t taskId);

  // The steps of an opening: filling (ending with CheckBox3Click, ComboBox1Change and Tag), and
  // the modal run, which returns Tag.
  void FillForNew();
  bool FillForEdit(int index, uint64_t taskId = 0);
  int ShowModal();
  bool IsOpen() const { return modal_; }

  // The protocol with the opener: -1 a new task, an index to edit, -2 after OK.
  int Tag = -1;

  // The message hook of the application (ApplicationEvents1Message), which the modal loop runs
  // for every message it takes, as the main loop does. Without one it runs
  // EditorEscapeMessage alone.
  void SetApplicationMessageHook(std::function<void(const MSG&)> hook) {
    applicationHook_ = std::move(hook);
  }
  // The editor's part of that hook: the Escape key while DialogMode is 1 is the editor's Cancel.
  // It never marks the message as handled.
  void EditorEscapeMessage(const MSG& message);

  FileChooser& OpenDialog1() { return openDialog1_; }

  // Handlers, under the names of the window definition.
  void Button1Click();
  void Button2Click();
  void Edit1Change();
  void Edit2Change();
  void Edit3Change();
  void Edit4Change();
  void UpDown1Click(ArrowButton button);
  void UpDown2Click(ArrowButton button);
  void UpDown3Click(ArrowButton button);
  void UpDown4Click(ArrowButton button);
  // Shared by Edit1 ... Edit4: false swallows the character.
  bool Edit1KeyPress(uint32_t characterCode);
  void CheckBox2Click();
  void CheckBox3Click();
  void Button3Click();
  void FormShow();
  void FormClose();
  void ComboBox1Change();
  void ComboBox3Change();
  void ComboBox4Change();

 private:
  static constexpr size_t Index(EditorControl control) { return static_cast<size_t>(control); }
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  template <typename Form>
  friend LRESULT CALLBACK FormWindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK NumberFieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR subclassId, DWORD_PTR refData);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateControls();
  // Moves the controls to their places at the window's density and gives them its fonts.
  void PlaceControls();
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnCommand(EditorControl control, UINT code);
  void OnArrowsNotified(const NMUPDOWN& change);
  void OnArrowsMoved(HWND upDown);
  LRESULT OnControlColour(HDC dc, HWND control);

  // The control rules: these run the control's handler as the rules say.
  void SetEditText(EditorControl edit, const std::string& text);
  void SetChecked(EditorControl checkBox, bool checked);
  void RunChangeHandler(EditorControl edit);
  void RunClickHandler(EditorControl checkBox);

  void TimeFieldChange(EditorControl edit, EditorControl upDown, int32_t highestValue,
                       int32_t EditorMoment::*momentField);
  void TimeArrowsClick(EditorControl edit, EditorControl upDown, ArrowButton button,
                       int32_t highestValue);
  void Enable(EditorControl control, bool enabled);
  void Close();
  bool MoveFocusByTab(const MSG& message);
  bool PressFocusedButton(const MSG& message);
  void ShowErrorBox(const std::string& text);
  void ShowWarning(const std::string& text);

  Store& store_;
  HWND hwnd_ = nullptr;
  std::array<HWND, static_cast<size_t>(EditorControl::Count)> controls_{};
  UniqueFont font_;      // "MS Sans Serif", 13 pixels, bold
  UniqueFont memoFont_;  // "Arial", 15 pixels, bold
  FileChooser openDialog1_;
  std::function<void(const MSG&)> applicationHook_;

  bool modal_ = false;
  bool closing_ = false;
  int settingText_ = 0;  // > 0 while code sets an edit's text: its own notification is not a user's
  bool shutDownCaptionRed_ = false;
  std::array<ArrowButton, 4> lastArrow_{};  // the arrow last pressed on UpDown1 ... UpDown4
  uint64_t editedTaskId_ = 0;
  uint64_t committedTaskId_ = 0;
  HWND focusBeforeDeactivation_ = nullptr;
  int dpi_ = 96;  // the density the window is laid out for
};
