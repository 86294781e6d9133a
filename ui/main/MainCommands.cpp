// The main window's commands on tasks: add, edit, delete, pause and activate, the list's menu,
// mouse and keyboard. The lock is held for each step on the table and the save, never while the
// editor, the settings dialog or a box is open; across those the task is known by its identity.
#include <windowsx.h>

#include "core/DeleteTask.h"
#include "core/RowTexts.h"
#include "storage/DataFile.h"
#include "ui/editor/DialogMode.h"
#include "ui/editor/TaskEditor.h"
#include "ui/main/MainCommandsLogic.h"
#include "ui/main/MainWindow.h"
#include "ui/settings/SettingsDialog.h"
#include "win32/Fonts.h"
#include "win32/Text.h"

namespace {

void AppendItem(HMENU menu, WORD id, const char* text) {
  AppendMenuW(menu, MF_STRING, id, ToWide(text).c_str());
}

HWND CreateButton(HWND parent, WORD id, const char* caption, int left, HFONT font) {
  HWND button = CreateWindowExW(
      0, L"BUTTON", ToWide(caption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
      left, 0, TForm1::kButtonWidth, TForm1::kButtonHeight, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (button) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return button;
}

}  // namespace

bool TForm1::CreateButtonsAndMenu() {
  buttonFont_ = CreatePixelFont(L"Arial Cyr", 15, true, dpi_);
  button1_ =
      CreateButton(hwnd_, kCommandButton1, "Добавить задание", kButtonLeft1, buttonFont_.get());
  button3_ = CreateButton(hwnd_, kCommandButton3, "Настройки", kButtonLeft3, buttonFont_.get());
  PopupMenu1_ = CreatePopupMenu();
  if (!button1_ || !button3_ || !PopupMenu1_) return false;
  AppendItem(PopupMenu1_, kCommandN1, "Добавить задание");
  AppendItem(PopupMenu1_, kCommandN4, "Редактировать задание");
  AppendItem(PopupMenu1_, kCommandN7, "Приостановить");
  AppendMenuW(PopupMenu1_, MF_SEPARATOR, kCommandN6, nullptr);
  AppendItem(PopupMenu1_, kCommandN3, "Удалить задание");
  return true;
}

int TForm1::SelectedIndex() {
  // The control may not have taken the checker's latest row changes yet; its row numbers must
  // be the table's.
  ApplyRowChanges();
  return static_cast<int>(
      SendMessageW(list_.Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int TForm1::SelectedIndex(StoreLock& lock) {
  // The checker may change the rows whenever the lock is free. The control's row numbers are
  // the table's only when no change waits to be applied, so apply them until none is left.
  for (;;) {
    lock.unlock();
    const int index = SelectedIndex();
    lock.lock();
    if (!store_.Rows.HasChanges()) return index;
  }
}

void TForm1::ShowSaveError(const std::optional<std::string>& error) {
  ApplyRowChanges();
  if (error) platform_.ShowError(*error);
}

void TForm1::Button1Click() {
  if (!form2_) return;
  // Given from the tray while the editor is open (for a new task or an edit): the open editor
  // keeps its own record; it is only brought forward.
  if (form2_->IsOpen()) {
    SetForegroundWindow(form2_->Handle());
    return;
  }
  if (form3_ && form3_->IsOpen()) form3_->Button2Click();
  // A hidden or started-minimised window is on screen before the editor opens over it.
  if (Tag != 0) SendMessageW(hwnd_, WM_TRAYICON, 0, kTrayDoubleClick);
  const TForm2::Result result = form2_->OpenForNew();
  std::optional<std::string> error;
  {
    std::lock_guard lock(store_.Mutex);
    // The new task is the last one (only the editor appends); it is armed once its row exists.
    if (result.committed) {
      const int index = store_.IndexOf(result.taskId);
      if (index >= 0) {
        BuildRow(store_, index, true);
        store_.Tasks[static_cast<size_t>(index)].armed = 1;
      }
    }
    if (!store_.Tasks.empty()) error = SaveData(store_, platform_);
  }
  ShowSaveError(error);
}

void TForm1::N4Click() {
  if (!form2_ || form2_->IsOpen()) return;
  uint64_t taskId = 0;
  {
    StoreLock lock(store_.Mutex);
    const int index = SelectedIndex(lock);
    if (index < 0 || index >= static_cast<int>(store_.Tasks.size())) return;
    taskId = store_.Tasks[static_cast<size_t>(index)].id;
  }
  const TForm2::Result result = form2_->OpenForEditById(taskId);
  if (result.taskId == 0) return;  // not opened: nothing was disarmed
  std::optional<std::string> error;
  {
    std::lock_guard lock(store_.Mutex);
    // The task opened, wherever it stands now: another may have fired and deleted itself.
    const int now = store_.IndexOf(result.taskId);
    if (now >= 0) {
      if (result.committed) BuildRow(store_, now, false);
      store_.Tasks[static_cast<size_t>(now)].armed = 1;
    }
    error = SaveData(store_, platform_);
  }
  ShowSaveError(error);
}

void TForm1::ListView1DblClick() {
  if (SelectedIndex() >= 0) N4Click();
}

void TForm1::N3Click() {
  std::optional<std::string> error;
  {
    StoreLock lock(store_.Mutex);
    const int index = SelectedIndex(lock);
    if (index < 0) return;
    // The lock is released while the question is open; the task asked about is found again.
    DeleteTask(store_, lock, platform_, index, false);
    error = SaveData(store_, platform_);
  }
  ShowSaveError(error);
}

void TForm1::ListView1KeyDown(WORD key) {
  if (key != VK_DELETE) return;
  {
    StoreLock lock(store_.Mutex);
    const int index = SelectedIndex(lock);
    if (index < 0) return;
    // Not saved here: the removal reaches Data.ini with the next save.
    DeleteTask(store_, lock, platform_, index, false);
  }
  ApplyRowChanges();
}

void TForm1::N7Click() {
  std::optional<std::string> error;
  {
    StoreLock lock(store_.Mutex);
    const int index = SelectedIndex(lock);
    if (index < 0 || index >= static_cast<int>(store_.Tasks.size())) return;
    Task& task = store_.Tasks[static_cast<size_t>(index)];
    if (const auto status = PausedOrActivatedStatus(task.status, task.doneThisPeriod)) {
      task.status = *status;
      SetCell(store_, index, ColumnStatus, false, StatusText(*status));
    }
    error = SaveData(store_, platform_);
  }
  ShowSaveError(error);
}

void TForm1::PopupMenu1Popup() {
  const int index = SelectedIndex();
  std::optional<int32_t> status;
  if (index >= 0) {
    std::lock_guard lock(store_.Mutex);
    if (index < static_cast<int>(store_.Tasks.size()))
      status = store_.Tasks[static_cast<size_t>(index)].status;
  }
  const PopupMenuState state = PreparePopupMenu(status);
  auto enable = [this](WORD id, bool on) {
    EnableMenuItem(PopupMenu1_, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  };
  if (state.N7Caption)
    ModifyMenuW(PopupMenu1_, kCommandN7, MF_BYCOMMAND | MF_STRING, kCommandN7,
                ToWide(*state.N7Caption).c_str());
  enable(kCommandN1, state.N1Enabled);
  enable(kCommandN4, state.N4Enabled);
  enable(kCommandN3, state.N3Enabled);
  enable(kCommandN7, state.N7Enabled);
}

void TForm1::ShowPopupMenu1(LPARAM where) {
  POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (at.x == -1 && at.y == -1) {
    // From the keyboard: below the selected row, or the list's corner.
    at = {0, 0};
    const int index = SelectedIndex();
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    if (index >= 0 &&
        SendMessageW(list_.Handle(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&row)))
      at = {row.left + 8, row.bottom};
    ClientToScreen(list_.Handle(), &at);
  }
  PopupMenu1Popup();
  // The menu's command reaches the window as WM_COMMAND, as a choice from the tray menu does.
  TrackPopupMenuEx(PopupMenu1_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, hwnd_, nullptr);
}

void TForm1::ListView1MouseDown() {
  // The clicked row stays selected but holds no focus mark.
  list_.ClearFocus();
}

void TForm1::FormMouseWheel(int wheelDelta, POINT screenPoint) {
  POINT at = screenPoint;
  ScreenToClient(hwnd_, &at);
  RECT listRect{};
  GetWindowRect(list_.Handle(), &listRect);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&listRect), 2);
  if (!InsideList(at.x, at.y, listRect.left, listRect.top, listRect.right - listRect.left,
                  listRect.bottom - listRect.top))
    return;
  SendMessageW(list_.Handle(), LVM_SCROLL, 0, WheelScrollPixels(wheelDelta, dpi_));
}

LRESULT CALLBACK TForm1::ListView1Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR refData) {
  auto* self = reinterpret_cast<TForm1*>(refData);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
      if (!self->stopped_) self->ListView1MouseDown();
      return result;
    }
    case WM_MOUSEWHEEL:
      // The form sees the wheel first; the list's own scrolling follows.
      self->FormMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam),
                           {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return DefSubclassProc(hwnd, message, wParam, lParam);
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, &TForm1::ListView1Proc, 1);
      return DefSubclassProc(hwnd, message, wParam, lParam);
    default:
      return DefSubclassProc(hwnd, message, wParam, lParam);
  }
}

void TForm1::Button3Click() {
  if (form3_) form3_->Open();
}
