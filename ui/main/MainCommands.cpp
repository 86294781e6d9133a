// The main window's commands on tasks: add, edit, delete, pause and activate, the list's menu,
// mouse and keyboard. The lock is held for each step on the table and the save, never while the
// editor, the settings dialog or a box is open; across those the task is known by its identity.
#include <windowsx.h>

#include "core/DeleteTask.h"
#include "core/RowTexts.h"
#include "storage/DataFile.h"
#include "ui/commandline/TaskHandover.h"
#include "ui/editor/TaskEditor.h"
#include "ui/main/MainCommandsLogic.h"
#include "ui/main/MainWindow.h"
#include "ui/settings/SettingsDialog.h"
#include "ui/shared/ControlAccess.h"
#include "ui/shared/DialogKeys.h"
#include "ui/shared/WindowTexts.h"
#include "win32/Fonts.h"
#include "win32/MessageIds.h"
#include "win32/Text.h"

namespace {

HWND CreateButton(HWND parent, WORD id, const char* caption, int left, HFONT font) {
  HWND button = CreateWindowExW(
      0, L"BUTTON", ToWide(caption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
      left, 0, MainWindow::kButtonWidth, MainWindow::kButtonHeight, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (button) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return button;
}

}  // namespace

bool MainWindow::CreateButtonsAndMenu() {
  addButton_ =
      CreateButton(hwnd_, kAddButtonId, kAddTaskCommand, kAddButtonLeft, buttonFont_.get());
  settingsButton_ = CreateButton(hwnd_, kSettingsButtonId, kSettingsButton, kSettingsButtonLeft,
                                 buttonFont_.get());
  listMenu_.reset(CreatePopupMenu());
  if (!addButton_ || !settingsButton_ || !listMenu_) return false;
  AppendMenuText(listMenu_.get(), kMenuAddTask, kAddTaskCommand);
  AppendMenuText(listMenu_.get(), kMenuEditTask, kEditTaskItem);
  AppendMenuText(listMenu_.get(), kMenuPauseOrActivate, kPauseTaskItem);
  AppendMenuW(listMenu_.get(), MF_SEPARATOR, kMenuSeparator, nullptr);
  AppendMenuText(listMenu_.get(), kMenuDeleteTask, kDeleteTaskItem);
  return true;
}

int MainWindow::SelectedIndex() {
  // The control may not have taken the checker's latest row changes yet; its row numbers must
  // be the table's.
  ApplyRowChanges();
  return static_cast<int>(
      SendMessageW(list_.Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int MainWindow::SelectedIndex(StoreLock& lock) {
  // The checker may change the rows whenever the lock is free. The control's row numbers are
  // the table's only when no change waits to be applied, so apply them until none is left.
  for (;;) {
    lock.unlock();
    const int index = SelectedIndex();
    lock.lock();
    if (!store_.rows.HasChanges()) return index;
  }
}

void MainWindow::ChangeAndSave(const std::function<bool(StoreLock&)>& change, bool reportLater) {
  std::optional<std::string> error;
  {
    StoreLock lock(store_.mutex);
    if (change(lock)) error = SaveData(store_, platform_);
  }
  // The list shows the change before a failed save is reported.
  ApplyRowChanges();
  if (error && reportLater)
    platform_.PostError(*error);
  else if (error)
    platform_.ShowError(*error);
}

bool MainWindow::AddTaskFromCommandLine(const CommandLineTask& task, bool reportLater) {
  if (stopped_) return false;
  const CommitResult result = AddCommandLineTask(store_, task, platform_.LocalTime());
  if (result.outcome != CommitResult::Outcome::Written) return false;
  ChangeAndSave(
      [&](StoreLock&) {
        const int index = store_.IndexOf(result.taskId);
        if (index >= 0) MakeLive(store_, index, RowUpdate::Append);
        return true;
      },
      reportLater);
  return true;
}

LRESULT MainWindow::OnCopyData(const COPYDATASTRUCT& data) {
  if (data.dwData != kTaskHandoverId || !data.lpData) return FALSE;
  const std::optional<HandedOverTask> handed =
      DecodeTaskHandover(std::string_view(static_cast<const char*>(data.lpData), data.cbData));
  // One that comes after its sender gave up is not added: the sender said it was not.
  if (!handed || GetTickCount64() > handed->deadline) return FALSE;
  // Added at once, also while the editor or a box is open: the editor and the delete question
  // find their task again by its identity. The sender waits for the answer, so a box waits.
  return AddTaskFromCommandLine(handed->task, true) ? TRUE : FALSE;
}

void MainWindow::AddTask() {
  if (!editor_) return;
  // Given from the tray while the editor is open (for a new task or an edit): the open editor
  // keeps its own record; it is only brought forward.
  if (editor_->IsOpen()) {
    SetForegroundWindow(editor_->Handle());
    return;
  }
  if (settingsDialog_ && settingsDialog_->IsOpen()) settingsDialog_->Cancel();
  // A hidden or started-minimised window is on screen before the editor opens over it.
  if (hiddenToTray_) SendMessageW(hwnd_, WMAPP_TRAYICON, 0, kTrayDoubleClick);
  const TaskEditor::Result result = editor_->OpenForNew();
  ChangeAndSave([&](StoreLock&) {
    // The new task is the last one (only the editor appends); it is armed once its row exists.
    if (result.committed) {
      const int index = store_.IndexOf(result.taskId);
      if (index >= 0) MakeLive(store_, index, RowUpdate::Append);
    }
    return !store_.tasks.empty();
  });
}

void MainWindow::EditSelectedTask() {
  if (!editor_ || editor_->IsOpen()) return;
  uint64_t taskId = 0;
  {
    StoreLock lock(store_.mutex);
    const int index = SelectedIndex(lock);
    if (index < 0 || index >= static_cast<int>(store_.tasks.size())) return;
    taskId = store_.tasks[static_cast<size_t>(index)].id;
  }
  const TaskEditor::Result result = editor_->OpenForEditById(taskId);
  if (result.taskId == 0) return;  // not opened: nothing was disarmed
  ChangeAndSave([&](StoreLock&) {
    // The task opened, wherever it stands now: another may have fired and deleted itself.
    const int index = store_.IndexOf(result.taskId);
    if (index >= 0)
      MakeLive(store_, index, result.committed ? RowUpdate::Rewrite : RowUpdate::Keep);
    return true;
  });
}

void MainWindow::OnListDoubleClick() {
  if (SelectedIndex() >= 0) EditSelectedTask();
}

void MainWindow::DeleteSelectedTask() {
  ChangeAndSave([&](StoreLock& lock) {
    const int index = SelectedIndex(lock);
    if (index < 0) return false;
    // The lock is released while the question is open; the task asked about is found again.
    DeleteTask(store_, lock, platform_, index, false);
    return true;
  });
}

void MainWindow::OnListKeyDown(WORD key) {
  if (key == VK_DELETE) DeleteSelectedTask();
}

void MainWindow::PauseOrActivateSelectedTask() {
  ChangeAndSave([&](StoreLock& lock) {
    const int index = SelectedIndex(lock);
    if (index < 0 || index >= static_cast<int>(store_.tasks.size())) return false;
    Task& task = store_.tasks[static_cast<size_t>(index)];
    if (const auto status = PausedOrActivatedStatus(task.status, task.doneThisPeriod)) {
      task.status = *status;
      store_.rows.CellChanged(index, ColumnStatus);
    }
    return true;
  });
}

void MainWindow::UpdateListMenu() {
  const int index = SelectedIndex();
  std::optional<int32_t> status;
  if (index >= 0) {
    std::lock_guard lock(store_.mutex);
    if (index < static_cast<int>(store_.tasks.size()))
      status = store_.tasks[static_cast<size_t>(index)].status;
  }
  const ListMenuState state = PrepareListMenu(status);
  auto enable = [this](WORD id, bool on) {
    EnableMenuItem(listMenu_.get(), id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  };
  if (state.pauseCaption)
    ModifyMenuW(listMenu_.get(), kMenuPauseOrActivate, MF_BYCOMMAND | MF_STRING,
                kMenuPauseOrActivate, ToWide(*state.pauseCaption).c_str());
  enable(kMenuAddTask, state.addEnabled);
  enable(kMenuEditTask, state.editEnabled);
  enable(kMenuDeleteTask, state.deleteEnabled);
  enable(kMenuPauseOrActivate, state.pauseEnabled);
}

void MainWindow::ShowListMenu(LPARAM where) {
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
  UpdateListMenu();
  // The menu's command reaches the window as WM_COMMAND, as a choice from the tray menu does.
  TrackPopupMenuEx(listMenu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, hwnd_, nullptr);
}

void MainWindow::OnListMouseDown() {
  // The clicked row stays selected but holds no focus mark.
  list_.ClearFocus();
}

void MainWindow::OnMouseWheel(int wheelDelta, POINT screenPoint) {
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

LRESULT CALLBACK MainWindow::TaskListSubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam, UINT_PTR, DWORD_PTR refData) {
  auto* self = reinterpret_cast<MainWindow*>(refData);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
      if (!self->stopped_) self->OnListMouseDown();
      return result;
    }
    case WM_MOUSEWHEEL:
      // The main window sees the wheel first; the list's own scrolling follows.
      self->OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam),
                         {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return DefSubclassProc(hwnd, message, wParam, lParam);
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, &MainWindow::TaskListSubclassProc, 1);
      return DefSubclassProc(hwnd, message, wParam, lParam);
    default:
      return DefSubclassProc(hwnd, message, wParam, lParam);
  }
}

void MainWindow::OpenSettings() {
  if (settingsDialog_) settingsDialog_->Open();
}

int MainWindow::FindTypedRow(const NMLVFINDITEMW& find) {
  const LVFINDINFOW& info = find.lvfi;
  if (!(info.flags & (LVFI_STRING | LVFI_PARTIAL)) || !info.psz) return -1;
  const std::string typed = ToCp1251(info.psz);
  std::lock_guard lock(store_.mutex);
  return FindRowByMessageStart(store_.rows, typed, find.iStart, (info.flags & LVFI_WRAP) != 0);
}

bool MainWindow::TakeDialogKey(const MSG& message) {
  // Enter on the list opens the selected row's task, as a double click does.
  return ::TakeDialogKey(hwnd_, message, [this](HWND target) {
    if (target != list_.Handle() || stopped_ || SelectedIndex() < 0) return false;
    EditSelectedTask();
    return true;
  });
}
