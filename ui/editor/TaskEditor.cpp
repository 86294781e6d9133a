#include "ui/editor/TaskEditor.h"

#include <mutex>
#include <optional>
#include <vector>

#include "core/PathParts.h"
#include "ui/editor/DateFields.h"
#include "ui/editor/DialogMode.h"
#include "ui/editor/EditorRecord.h"
#include "ui/shared/CentreOverOwner.h"
#include "ui/shared/ControlAccess.h"
#include "ui/shared/DpiScale.h"
#include "win32/CommonControls.h"
#include "win32/Dpi.h"
#include "win32/Fonts.h"
#include "win32/FormClass.h"
#include "win32/Text.h"

namespace {

constexpr char kStoredCaption[] = "  Новое задание";
constexpr char kNewTaskCaption[] = " Добавить новое задание";
constexpr char kEditTaskCaption[] = " Редактировать задание № ";
constexpr COLORREF kShutDownCaptionRed = 255;

constexpr EditorControl kArrows[] = {EditorControl::UpDown1, EditorControl::UpDown2,
                                     EditorControl::UpDown3, EditorControl::UpDown4};

// Single fixed border, the close box alone in the title bar.
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME;

bool IsClass(HWND window, const wchar_t* name) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  return lstrcmpiW(className, name) == 0;
}

}  // namespace

TForm2::TForm2(Store& store) : store_(store) {}

TForm2::~TForm2() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool TForm2::Create(HWND owner) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  if (!RegisterFormClass(TForm2::kClassName, &TForm2::WindowProc)) return false;
  // The editor opens over the main window, at the density of its screen.
  dpi_ = owner ? WindowDpi(owner) : SystemDpi();
  const SIZE frame = FrameForClient(ScaleToDpi(kClientWidth, dpi_), ScaleToDpi(kClientHeight, dpi_),
                                    kWindowStyle, kWindowExStyle, dpi_);
  const int width = frame.cx;
  const int height = frame.cy;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  CreateWindowExW(kWindowExStyle, kClassName, ToWide(kStoredCaption).c_str(), kWindowStyle, left,
                  top, width, height, owner, nullptr, GetModuleHandleW(nullptr), this);
  if (!hwnd_) return false;
  // The month and day lists show the remembered date from the start: loading has set it before
  // the editor is created. Without a month the month logic would store month 0.
  int month = 0;
  int day = 0;
  {
    std::lock_guard lock(store_.Mutex);
    month = store_.editorMoment.month;
    day = store_.editorMoment.day;
  }
  SelectIndex(Control(EditorControl::ComboBox3), month - 1);
  SelectIndex(Control(EditorControl::ComboBox4), day - 1);
  return true;
}

LRESULT CALLBACK TForm2::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return FormWindowProc<TForm2>(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TForm2::NumberFieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR subclassId, DWORD_PTR refData) {
  if (message == WM_CHAR &&
      !reinterpret_cast<TForm2*>(refData)->Edit1KeyPress(static_cast<uint32_t>(wParam)))
    return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &TForm2::NumberFieldProc, subclassId);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT TForm2::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return CreateControls() ? 0 : -1;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int index = id - kFirstControlId;
      if (lParam && index >= 0 && index < static_cast<int>(EditorControl::Count))
        OnCommand(static_cast<EditorControl>(index), HIWORD(wParam));
      return 0;
    }
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.code == UDN_DELTAPOS) OnArrowsNotified(*reinterpret_cast<const NMUPDOWN*>(lParam));
      return 0;
    }
    case WM_VSCROLL:
      if (LOWORD(wParam) == SB_THUMBPOSITION && lParam)
        OnArrowsMoved(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && focusBeforeDeactivation_ &&
          IsChild(hwnd_, focusBeforeDeactivation_)) {
        SetFocus(focusBeforeDeactivation_);
        return 0;
      }
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        focusBeforeDeactivation_ = IsChild(hwnd_, focus) ? focus : nullptr;
      }
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      // The close box: the same as Cancel.
      Close();
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void TForm2::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = UsableDpi(dpi);
  MoveToSuggestedRect(hwnd_, suggested);
  PlaceControls();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TForm2::OnCommand(EditorControl control, UINT code) {
  switch (control) {
    case EditorControl::Edit1:
    case EditorControl::Edit2:
    case EditorControl::Edit3:
    case EditorControl::Edit4:
      // A text set from code has its handler run by SetEditText, once and only on a change.
      if (code == EN_CHANGE && settingText_ == 0) RunChangeHandler(control);
      return;
    case EditorControl::ComboBox1:
      if (code == CBN_SELCHANGE) ComboBox1Change();
      return;
    case EditorControl::ComboBox3:
      if (code == CBN_SELCHANGE) ComboBox3Change();
      return;
    case EditorControl::ComboBox4:
      if (code == CBN_SELCHANGE) ComboBox4Change();
      return;
    case EditorControl::CheckBox2:
    case EditorControl::CheckBox3:
      if (code == BN_CLICKED) RunClickHandler(control);
      return;
    case EditorControl::Button1:
      if (code == BN_CLICKED) Button1Click();
      return;
    case EditorControl::Button2:
      if (code == BN_CLICKED) Button2Click();
      return;
    case EditorControl::Button3:
      if (code == BN_CLICKED) Button3Click();
      return;
    default:
      return;
  }
}

void TForm2::OnArrowsNotified(const NMUPDOWN& change) {
  // The arrows step after this notification; their click handler runs once they have.
  for (size_t i = 0; i < std::size(kArrows); ++i)
    if (change.hdr.hwndFrom == Control(kArrows[i]))
      lastArrow_[i] = change.iDelta > 0 ? ArrowButton::Up : ArrowButton::Down;
}

void TForm2::OnArrowsMoved(HWND upDown) {
  if (upDown == Control(EditorControl::UpDown1)) UpDown1Click(lastArrow_[0]);
  if (upDown == Control(EditorControl::UpDown2)) UpDown2Click(lastArrow_[1]);
  if (upDown == Control(EditorControl::UpDown3)) UpDown3Click(lastArrow_[2]);
  if (upDown == Control(EditorControl::UpDown4)) UpDown4Click(lastArrow_[3]);
}

LRESULT TForm2::OnControlColour(HDC dc, HWND control) {
  if (control != Control(EditorControl::CheckBox2))
    return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
  SetTextColor(dc, shutDownCaptionRed_ ? kShutDownCaptionRed : RGB(0, 0, 0));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// ---- The control rules ----

void TForm2::SetEditText(EditorControl edit, const std::string& text) {
  HWND control = Control(edit);
  if (ControlText(control) == text) return;
  ++settingText_;
  SetControlText(control, text);
  --settingText_;
  RunChangeHandler(edit);
}

void TForm2::SetChecked(EditorControl checkBox, bool checked) {
  HWND control = Control(checkBox);
  if (IsChecked(control) == checked) return;
  SetCheckState(control, checked);
  RunClickHandler(checkBox);
}

void TForm2::RunChangeHandler(EditorControl edit) {
  switch (edit) {
    case EditorControl::Edit1:
      Edit1Change();
      return;
    case EditorControl::Edit2:
      Edit2Change();
      return;
    case EditorControl::Edit3:
      Edit3Change();
      return;
    case EditorControl::Edit4:
      Edit4Change();
      return;
    default:
      return;  // the memo and the file field have no change handler
  }
}

void TForm2::RunClickHandler(EditorControl checkBox) {
  if (checkBox == EditorControl::CheckBox2) CheckBox2Click();
  if (checkBox == EditorControl::CheckBox3) CheckBox3Click();
}

void TForm2::Enable(EditorControl control, bool enabled) {
  EnableWindow(Control(control), enabled ? TRUE : FALSE);
}

// ---- Opening ----

TForm2::Result TForm2::OpenForNew() {
  if (modal_ || !hwnd_) return {};
  DialogMode = 1;
  FillForNew();
  ShowModal();
  return {Tag == -2, Tag == -2 ? committedTaskId_ : 0};
}

TForm2::Result TForm2::OpenForEdit(int index) {
  if (modal_ || !hwnd_ || !FillForEdit(index)) return {};
  ShowModal();
  return {Tag == -2, editedTaskId_};
}

TForm2::Result TForm2::OpenForEditById(uint64_t taskId) {
  if (modal_ || !hwnd_ || taskId == 0 || !FillForEdit(-1, taskId)) return {};
  ShowModal();
  return {Tag == -2, editedTaskId_};
}
void TForm2::FillForNew() {
  SetControlText(hwnd_, kNewTaskCaption);
  CentreOverOwner(hwnd_);
  // The remembered values are taken once: filling the year runs the month logic, which stores
  // the month list's selection of the moment in editorMoment.month.
  EditorMoment remembered;
  std::string lastFileFolder;
  {
    std::lock_guard lock(store_.Mutex);
    remembered = store_.editorMoment;
    lastFileFolder = store_.settings.lastFileFolder;
  }
  SetEditText(EditorControl::Memo1, "");
  SetEditText(EditorControl::Edit4, DecimalText(remembered.year));
  SelectIndex(Control(EditorControl::ComboBox3), remembered.month - 1);
  // Until a mode with a date has rebuilt it, the day list has no selection: it shows the
  // remembered day, so that OK never stores day 0.
  if (SelectedIndex(Control(EditorControl::ComboBox4)) < 0)
    SelectIndex(Control(EditorControl::ComboBox4), remembered.day - 1);
  SetEditText(EditorControl::Edit1, DecimalText(remembered.hour));
  SetEditText(EditorControl::Edit2, DecimalText(remembered.minute));
  SetEditText(EditorControl::Edit3, DecimalText(remembered.second));
  SetChecked(EditorControl::CheckBox1, false);
  SetChecked(EditorControl::CheckBox2, false);
  SetChecked(EditorControl::CheckBox3, false);
  SetChecked(EditorControl::CheckBox5, true);
  SetChecked(EditorControl::CheckBox4, true);
  SetEditText(EditorControl::Edit5, "");
  if (!lastFileFolder.empty()) openDialog1_.initialFolder = lastFileFolder;
  // The mode list and the chooser's file name stay as the last opening left them.
  CheckBox3Click();
  ComboBox1Change();
  editedTaskId_ = 0;
  committedTaskId_ = 0;
  Tag = -1;
}

bool TForm2::FillForEdit(int index, uint64_t taskId) {
  Task task;
  {
    std::lock_guard lock(store_.Mutex);
    if (taskId != 0) index = store_.IndexOf(taskId);
    if (index < 0 || index >= static_cast<int>(store_.Tasks.size())) return false;
    Task& stored = store_.Tasks[static_cast<size_t>(index)];
    stored.armed = 0;  // the checker leaves the task alone until the command re-arms it
    task = stored;
  }
  SetControlText(hwnd_, kEditTaskCaption + DecimalText(index + 1));
  SetEditText(EditorControl::Memo1, task.message);
  SetEditText(EditorControl::Edit1, DecimalText(task.hour));
  SetEditText(EditorControl::Edit2, DecimalText(task.minute));
  SetEditText(EditorControl::Edit3, DecimalText(task.second));
  SetEditText(EditorControl::Edit4, DecimalText(task.year));
  // After the year: its month logic may have cut the remembered day to the month shown before.
  {
    std::lock_guard lock(store_.Mutex);
    store_.editorMoment.day = task.day;
  }
  SelectIndex(Control(EditorControl::ComboBox1), task.recurrence);
  SelectIndex(Control(EditorControl::ComboBox3), task.month - 1);
  SelectIndex(Control(EditorControl::ComboBox4), task.day - 1);
  SetChecked(EditorControl::CheckBox1, task.deleteAfter != 0);
  SetChecked(EditorControl::CheckBox5, task.showMessage != 0);
  SetChecked(EditorControl::CheckBox2, task.shutDown != 0);
  SetChecked(EditorControl::CheckBox3, task.runFile != 0);
  SetChecked(EditorControl::CheckBox4, task.beep != 0);
  if (task.runFile) {
    SetEditText(EditorControl::Edit5, NamePart(task.fileName));
    openDialog1_.fileName = task.fileName;
    openDialog1_.initialFolder = FolderPart(task.fileName);
  } else {
    SetEditText(EditorControl::Edit5, "");
  }
  CheckBox3Click();
  ComboBox1Change();
  editedTaskId_ = task.id;
  committedTaskId_ = 0;
  Tag = index;
  return true;
}

int TForm2::ShowModal() {
  if (modal_ || !hwnd_) return Tag;
  modal_ = true;
  closing_ = false;
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  FormShow();

  MSG message{};
  while (!closing_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: leave as after Cancel and let the main loop see the quit.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      Close();
      break;
    }
    if (applicationHook_)
      applicationHook_(message);
    else
      EditorEscapeMessage(message);
    if (closing_) break;
    if (MoveFocusByTab(message) || PressFocusedButton(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }

  // The owner is enabled before the editor hides, so that it, not another program, becomes
  // the active window.
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  ShowWindow(hwnd_, SW_HIDE);
  modal_ = false;
  return Tag;
}

void TForm2::EditorEscapeMessage(const MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && DialogMode == 1)
    Button2Click();
}

bool TForm2::MoveFocusByTab(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)) return false;
  const bool backwards = GetKeyState(VK_SHIFT) < 0;
  // The tab order is the controls' creation order.
  std::vector<HWND> stops;
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & WS_TABSTOP) && IsWindowVisible(child) && IsWindowEnabled(child))
      stops.push_back(child);
  }
  if (stops.empty()) return true;
  HWND focus = GetFocus();
  size_t at = stops.size();
  for (size_t i = 0; i < stops.size(); ++i)
    if (stops[i] == focus || IsChild(stops[i], focus)) at = i;
  size_t next = 0;
  if (at == stops.size())
    next = backwards ? stops.size() - 1 : 0;
  else
    next = backwards ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
  SetFocus(stops[next]);
  if (IsClass(stops[next], L"Edit")) SendMessageW(stops[next], EM_SETSEL, 0, -1);
  return true;
}

bool TForm2::PressFocusedButton(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
  for (EditorControl button :
       {EditorControl::Button1, EditorControl::Button2, EditorControl::Button3}) {
    if (message.hwnd == Control(button)) {
      SendMessageW(message.hwnd, BM_CLICK, 0, 0);
      return true;
    }
  }
  return false;
}

void TForm2::Close() {
  if (!hwnd_ || (!modal_ && !IsWindowVisible(hwnd_))) return;
  FormClose();
  closing_ = true;
  if (!modal_) ShowWindow(hwnd_, SW_HIDE);
}

void TForm2::ShowErrorBox(const std::string& text) {
  MessageBoxW(hwnd_, ToWide(text + ".").c_str(), L" Vornakel", MB_OK | MB_ICONSTOP);
}

void TForm2::ShowWarning(const std::string& text) {
  MessageBoxW(hwnd_, ToWide(text).c_str(), ToWide(kWarningCaption).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

// ---- Handlers ----

void TForm2::Button1Click() {
  if (!modal_ && !IsWindowVisible(hwnd_)) return;
  EditorFields fields;
  fields.modeIndex = SelectedIndex(Control(EditorControl::ComboBox1));
  fields.text = ControlText(Control(EditorControl::Memo1));
  fields.hourText = ControlText(Control(EditorControl::Edit1));
  fields.minuteText = ControlText(Control(EditorControl::Edit2));
  fields.secondText = ControlText(Control(EditorControl::Edit3));
  fields.yearText = ControlText(Control(EditorControl::Edit4));
  fields.monthIndex = SelectedIndex(Control(EditorControl::ComboBox3));
  fields.dayIndex = SelectedIndex(Control(EditorControl::ComboBox4));
  fields.deleteChecked = IsChecked(Control(EditorControl::CheckBox1));
  fields.deleteEnabled = IsWindowEnabled(Control(EditorControl::CheckBox1));
  fields.shutDownChecked = IsChecked(Control(EditorControl::CheckBox2));
  fields.showMessageChecked = IsChecked(Control(EditorControl::CheckBox5));
  fields.soundChecked = IsChecked(Control(EditorControl::CheckBox4));
  fields.runFileChecked = IsChecked(Control(EditorControl::CheckBox3));
  fields.runFileEnabled = IsWindowEnabled(Control(EditorControl::CheckBox3));
  fields.fileField = ControlText(Control(EditorControl::Edit5));
  fields.fileName = openDialog1_.fileName;

  const CommitResult result = CommitEditor(store_, Tag, editedTaskId_, fields);
  switch (result.outcome) {
    case CommitResult::Outcome::NotANumber:
      ShowErrorBox(result.error);  // the dialog stays open with Tag and the table unchanged
      return;
    case CommitResult::Outcome::TaskGone:
      Close();  // nothing to write into: as after Cancel
      return;
    case CommitResult::Outcome::Written:
      committedTaskId_ = result.taskId;
      Tag = -2;
      Close();
      return;
  }
}

void TForm2::Button2Click() { Close(); }

void TForm2::TimeFieldChange(EditorControl edit, EditorControl upDown, int32_t highestValue,
                             int32_t EditorMoment::*momentField) {
  const NumberFieldValue value = NormaliseTimeField(ControlText(Control(edit)), highestValue);
  if (!value.valid) {
    ShowErrorBox(value.error);  // the arrows and settings keep their values, the field its text
    return;
  }
  SetArrowsPosition(Control(upDown), value.position);
  const int position = ArrowsPosition(Control(upDown));
  {
    std::lock_guard lock(store_.Mutex);
    store_.editorMoment.*momentField = position;
  }
  SetEditText(edit, DecimalText(position));
}

void TForm2::Edit1Change() {
  TimeFieldChange(EditorControl::Edit1, EditorControl::UpDown1, kHourHighest, &EditorMoment::hour);
}

void TForm2::Edit2Change() {
  TimeFieldChange(EditorControl::Edit2, EditorControl::UpDown2, kMinuteHighest,
                  &EditorMoment::minute);
}

void TForm2::Edit3Change() {
  TimeFieldChange(EditorControl::Edit3, EditorControl::UpDown3, kMinuteHighest,
                  &EditorMoment::second);
}

void TForm2::TimeArrowsClick(EditorControl edit, EditorControl upDown, ArrowButton button,
                             int32_t highestValue) {
  const int position = ArrowsPosition(Control(upDown));
  const int wrapped = WrapTimeArrows(position, button, highestValue);
  if (wrapped != position) SetArrowsPosition(Control(upDown), wrapped);
  SetEditText(edit, DecimalText(wrapped));
}

void TForm2::UpDown1Click(ArrowButton button) {
  TimeArrowsClick(EditorControl::Edit1, EditorControl::UpDown1, button, kHourHighest);
}

void TForm2::UpDown2Click(ArrowButton button) {
  TimeArrowsClick(EditorControl::Edit2, EditorControl::UpDown2, button, kMinuteHighest);
}

void TForm2::UpDown3Click(ArrowButton button) {
  TimeArrowsClick(EditorControl::Edit3, EditorControl::UpDown3, button, kMinuteHighest);
}

void TForm2::UpDown4Click(ArrowButton) {
  SetEditText(EditorControl::Edit4, DecimalText(ArrowsPosition(Control(EditorControl::UpDown4))));
}

bool TForm2::Edit1KeyPress(uint32_t characterCode) { return NumberKeyPasses(characterCode); }

void TForm2::Edit4Change() {
  const NumberFieldValue value = NormaliseYearField(ControlText(Control(EditorControl::Edit4)));
  if (!value.valid) {
    ShowErrorBox(value.error);
    return;
  }
  SetArrowsPosition(Control(EditorControl::UpDown4), value.position);
  const int position = ArrowsPosition(Control(EditorControl::UpDown4));
  {
    std::lock_guard lock(store_.Mutex);
    store_.editorMoment.year = position;
  }
  // February's length depends on the year.
  ComboBox3Change();
}

void TForm2::CheckBox2Click() {
  const bool shutDown = IsChecked(Control(EditorControl::CheckBox2));
  for (EditorControl control :
       {EditorControl::CheckBox3, EditorControl::CheckBox4, EditorControl::CheckBox5,
        EditorControl::Edit5, EditorControl::Button3})
    Enable(control, !shutDown);
  shutDownCaptionRed_ = shutDown;
  InvalidateRect(Control(EditorControl::CheckBox2), nullptr, TRUE);
}

void TForm2::CheckBox3Click() {
  const bool runFile = IsChecked(Control(EditorControl::CheckBox3));
  Enable(EditorControl::Edit5, runFile);
  Enable(EditorControl::Button3, runFile);
}

void TForm2::Button3Click() {
  if (!openDialog1_.Execute(hwnd_)) return;
  const std::string folder = FolderPart(openDialog1_.fileName);
  SetEditText(EditorControl::Edit5, NamePart(openDialog1_.fileName));
  openDialog1_.initialFolder = folder;
  std::lock_guard lock(store_.Mutex);
  store_.settings.lastFileFolder = folder;
}

void TForm2::FormShow() {
  LoadKeyboardLayoutW(L"00000419", KLF_ACTIVATE);
  SetFocus(Control(EditorControl::Memo1));
}

void TForm2::FormClose() { DialogMode = 0; }

void TForm2::ComboBox1Change() {
  const ModeLayout layout = LayoutForMode(SelectedIndex(Control(EditorControl::ComboBox1)));
  if (!layout.known) return;
  Enable(EditorControl::LabelMonth, layout.month);
  Enable(EditorControl::ComboBox3, layout.month);
  Enable(EditorControl::LabelYear, layout.year);
  Enable(EditorControl::Edit4, layout.year);
  Enable(EditorControl::UpDown4, layout.year);
  Enable(EditorControl::LabelDay, layout.day);
  Enable(EditorControl::ComboBox4, layout.day);
  Enable(EditorControl::CheckBox1, layout.deleteAfter);
  switch (layout.then) {
    case ModeFollowUp::None:
      return;
    case ModeFollowUp::MonthlyDayList: {
      HWND days = Control(EditorControl::ComboBox4);
      FillNumberItems(days, kMonthlyDayCount);
      SetVisibleItems(days, kMonthlyDayCount);
      int day = 0;
      {
        std::lock_guard lock(store_.Mutex);
        day = store_.editorMoment.day;
      }
      SelectIndex(days, day - 1);
      ComboBox4Change();
      return;
    }
    case ModeFollowUp::MonthLogic:
      ComboBox3Change();
      return;
  }
}

void TForm2::ComboBox3Change() {
  // The controls are read before the lock is taken: no control is touched while it is held.
  const int monthIndex = SelectedIndex(Control(EditorControl::ComboBox3));
  const int modeIndex = SelectedIndex(Control(EditorControl::ComboBox1));
  DayList list;
  {
    std::lock_guard lock(store_.Mutex);
    list = MonthChosen(store_.editorMoment, monthIndex, modeIndex);
  }
  HWND days = Control(EditorControl::ComboBox4);
  FillNumberItems(days, list.count);
  SetVisibleItems(days, list.count);
  SelectIndex(days, list.selectedIndex);
  if (list.warning) ShowWarning(*list.warning);
}

void TForm2::ComboBox4Change() {
  const int dayIndex = SelectedIndex(Control(EditorControl::ComboBox4));
  const int modeIndex = SelectedIndex(Control(EditorControl::ComboBox1));
  std::optional<std::string> warning;
  {
    std::lock_guard lock(store_.Mutex);
    warning = DayChosen(store_.editorMoment, dayIndex, modeIndex);
  }
  if (warning) ShowWarning(*warning);
}
