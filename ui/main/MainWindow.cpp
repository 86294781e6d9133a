#include "ui/main/MainWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "ui/main/MainCommandsLogic.h"
#include "ui/shared/DpiScale.h"
#include "win32/CommonControls.h"
#include "win32/Dpi.h"
#include "win32/ErrorBox.h"
#include "win32/Fonts.h"
#include "win32/MessageIds.h"

namespace {

constexpr int kListViewId = 101;

// Sent by the shell to every top-level window when the taskbar (re)starts: icons must be added
// again, or a program hidden in the tray would be unreachable.
const UINT WM_TASKBARCREATED = RegisterWindowMessageW(L"TaskbarCreated");

}  // namespace

MainWindow::MainWindow(Store& store, Win32Platform& platform, MainWindowEvents& events)
    : store_(store), platform_(platform), list_(store), events_(events) {}

// Destroyed before the members: the taskbar button owns the window, and the window's own
// handlers (the stop sequence) run while the object is whole.
MainWindow::~MainWindow() { Destroy(); }

bool MainWindow::Create() {
  // A new window opens on the primary screen, at the system's density.
  dpi_ = SystemDpi();
  // The taskbar button is a window of its own, the main window's owner.
  if (!taskbar_.Create(kProgramTitle)) return false;
  if (!CreateBound(0, kClassName, kProgramTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                   CW_USEDEFAULT, CW_USEDEFAULT, ScaleToDpi(kWidth, dpi_),
                   ScaleToDpi(kHeight, dpi_), taskbar_.Handle()))
    return false;
  taskbar_.SetMainWindow(hwnd_);
  platform_.SetMainWindow(hwnd_);
  return true;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // clang-format off
  switch (message) {
    case WM_CREATE: return OnCreate() ? 0 : -1;
    case WM_SIZE: OnSize(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_MOVE: RememberGeometry(); return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_DPICHANGED: return OnDpiChanged(wParam, lParam);
    case WM_SETFOCUS: SetFocus(list_.Handle()); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_CONTEXTMENU: return OnContextMenu(wParam, lParam);
    case WM_MOUSEWHEEL: return OnWindowMouseWheel(wParam, lParam);
    case WMAPP_MAILBOX: platform_.Mailbox().RunJobs(); return 0;
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
    case WMAPP_TRAYICON: OnTrayIcon(lParam); return 0;
    case WM_QUERYENDSESSION: events_.SaveForEndOfSession(); return TRUE;
    case WM_ENDSESSION: OnEndSession(wParam, lParam); return 0;
    case WM_POWERBROADCAST: return OnPowerBroadcast(wParam, lParam);
    case WM_TIMER: return OnTimer(wParam, lParam);
    // The wake timer is set in UTC: a new time zone or clock moves its local moment.
    case WM_TIMECHANGE: if (!stopped_) ArmWakeTimerNow(); return 0;
    case WM_COPYDATA: return OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    default:
      if (message == WM_TASKBARCREATED && WM_TASKBARCREATED != 0)
        return OnTaskbarCreated(wParam, lParam);
      return DefaultHandling(message, wParam, lParam);
  }
  // clang-format on
}

LRESULT MainWindow::OnContextMenu(WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(wParam) != list_.Handle() || stopped_)
    return DefaultHandling(WM_CONTEXTMENU, wParam, lParam);
  ShowListMenu(lParam);
  return 0;
}

LRESULT MainWindow::OnWindowMouseWheel(WPARAM wParam, LPARAM lParam) {
  OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  return DefaultHandling(WM_MOUSEWHEEL, wParam, lParam);
}

void MainWindow::OnEndSession(WPARAM ending, LPARAM how) {
  // FALSE: the end of the session was cancelled, and the program goes on as it was.
  if (!ending) return;
  events_.StopForEndOfSession();
  // An installer or the Restart Manager closing programs while the session goes on: the program
  // ends rather than staying on without a window or icon.
  if (how & ENDSESSION_CLOSEAPP) DestroyWindow(hwnd_);
}

LRESULT MainWindow::OnPowerBroadcast(WPARAM event, LPARAM data) {
  if (!stopped_) {
    if (event == PBT_APMSUSPEND) events_.SaveBeforeSleep();
    // Every wake-up brings this notice; PBT_APMRESUMESUSPEND follows only when someone uses the
    // computer, maybe hours later, and must not count as a second wake-up.
    if (event == PBT_APMRESUMEAUTOMATIC) {
      events_.ResumedFromSleep();
      // The timer that woke the computer is spent; set again however the table stands.
      ArmWakeTimerNow();
    }
  }
  return DefaultHandling(WM_POWERBROADCAST, event, data);
}

void MainWindow::OnClose() {
  // A stopped program (the session's end came first) has saved already.
  if (stopped_ || events_.SaveBeforeExit()) DestroyWindow(hwnd_);
}

LRESULT MainWindow::OnTaskbarCreated(WPARAM wParam, LPARAM lParam) {
  if (!stopped_ && TrayOptionOn()) AddTrayIcon();
  return DefaultHandling(WM_TASKBARCREATED, wParam, lParam);
}

LRESULT MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Menu commands come without a control handle; the controls' notifications carry theirs and
  // take the default handling, whatever their identifier.
  if (lParam != 0 && HIWORD(wParam) == BN_CLICKED && !stopped_) {
    if (reinterpret_cast<HWND>(lParam) == addButton_) {
      AddTask();
      return 0;
    }
    if (reinterpret_cast<HWND>(lParam) == settingsButton_) {
      OpenSettings();
      return 0;
    }
  }
  if (HIWORD(wParam) != 0 || lParam != 0) return DefWindowProcW(hwnd_, WM_COMMAND, wParam, lParam);
  switch (LOWORD(wParam)) {
    case kMenuAddTask:
      if (!stopped_) AddTask();
      return 0;
    case kMenuEditTask:
      if (!stopped_) EditSelectedTask();
      return 0;
    case kMenuPauseOrActivate:
      if (!stopped_) PauseOrActivateSelectedTask();
      return 0;
    case kMenuDeleteTask:
      if (!stopped_) DeleteSelectedTask();
      return 0;
    case kCommandExit:
      if (!stopped_) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
      return 0;
    case kCommandToggle:
      if (!stopped_) PostMessageW(hwnd_, WMAPP_TRAYICON, 0, kTrayDoubleClick);
      return 0;
    case kCommandAddTask:
      if (!stopped_) AddTask();
      return DefWindowProcW(hwnd_, WM_COMMAND, wParam, lParam);
    default:
      return DefWindowProcW(hwnd_, WM_COMMAND, wParam, lParam);
  }
}

LRESULT MainWindow::OnSysCommand(WPARAM wParam, LPARAM lParam) {
  const WPARAM command = wParam & 0xFFF0;
  // Closing the window hides it (or minimises the program without the tray); the program goes
  // on. It ends by the taskbar button's "Close window" or the tray menu's "Выход".
  if (!stopped_ && (command == SC_CLOSE || (command == SC_MINIMIZE && TrayOptionOn()))) {
    PostMessageW(hwnd_, WMAPP_TRAYICON, 0, kTrayDoubleClick);
    return 0;
  }
  // Without the tray the program goes to its taskbar button, the main window with it.
  if (command == SC_MINIMIZE) {
    if (!stopped_) taskbar_.MinimiseProgram();
    return 0;
  }
  return DefWindowProcW(hwnd_, WM_SYSCOMMAND, wParam, lParam);
}

bool MainWindow::OnCreate() {
  dpi_ = WindowDpi(hwnd_);
  MakeFonts();
  if (!list_.Create(hwnd_, kListViewId, listFont_.get())) return false;
  // The columns open with their widths at 96 dots per inch; the loaded ones follow.
  list_.SetColumnWidths(ScaleWidths(list_.GetColumnWidths(), dpi_));
  SetWindowSubclass(list_.Handle(), &MainWindow::TaskListSubclassProc, 1,
                    reinterpret_cast<DWORD_PTR>(this));
  if (!CreateButtonsAndMenu()) return false;
  LayOutClientArea();
  RememberColumnWidths();
  return true;
}

void MainWindow::OnSize(WPARAM kind, int clientWidth, int clientHeight) {
  const bool becameMinimised = kind == SIZE_MINIMIZED && !minimised_;
  minimised_ = kind == SIZE_MINIMIZED;
  // The main window itself is minimised only by others (the program minimises its taskbar
  // button instead). With the tray option on the system command follows, so that it ends hidden
  // in the tray; without the tray it is left as it is, for a window restored before the command
  // arrived would be minimised again.
  if (becameMinimised && !stopped_ && TrayOptionOn())
    PostMessageW(hwnd_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  if (kind == SIZE_MINIMIZED) return;
  LayOut(clientWidth, clientHeight);
  RememberGeometry();
}

void MainWindow::OnGetMinMaxInfo(MINMAXINFO& limits) {
  limits.ptMinTrackSize.x = ScaleToDpi(kMinimumWidth, dpi_);
  limits.ptMinTrackSize.y = ScaleToDpi(kMinimumHeight, dpi_);
  // The layout follows the client area of the moment; WM_SIZE lays out again after the change.
  if (!list_.Handle()) return;
  LayOutClientArea();
}

LRESULT MainWindow::OnNotify(NMHDR& header) {
  switch (header.code) {
    case LVN_GETDISPINFOW:
      if (header.hwndFrom == list_.Handle())
        list_.GetDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
      return 0;
    case NM_DBLCLK:
      if (header.hwndFrom == list_.Handle() && !stopped_) OnListDoubleClick();
      return 0;
    case LVN_ODFINDITEMW:
      if (header.hwndFrom != list_.Handle()) return -1;
      return FindTypedRow(reinterpret_cast<const NMLVFINDITEMW&>(header));
    case LVN_KEYDOWN:
      if (header.hwndFrom == list_.Handle() && !stopped_)
        OnListKeyDown(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
      return 0;
    // The list passes its header's notifications on. When a drag ends the header still holds
    // the old width, so the tracked one is taken from the notification.
    case HDN_ENDTRACKW:
    case HDN_ENDTRACKA: {
      const auto& track = reinterpret_cast<const NMHEADERW&>(header);
      if (track.pitem && (track.pitem->mask & HDI_WIDTH))
        RememberColumnWidths(track.iItem, track.pitem->cxy);
      else
        RememberColumnWidths();
      return 0;
    }
    case HDN_ITEMCHANGEDW:
    case HDN_ITEMCHANGEDA:
    case HDN_DIVIDERDBLCLICKW:
    case HDN_DIVIDERDBLCLICKA:
      RememberColumnWidths();
      return 0;
    default:
      return DefWindowProcW(hwnd_, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  }
}

void MainWindow::OnDestroy() {
  // From here on boxes have no owner and nothing more is posted to the window.
  platform_.SetMainWindow(nullptr);
  taskbar_.Hide();
  events_.OnMainWindowDestroyed();
}

void MainWindow::OnDensityChanged(int previousDpi) {
  // The columns keep their widths at 96 dots per inch across the change.
  const TaskListView::ColumnWidths widths = UnscaleWidths(list_.GetColumnWidths(), previousDpi);
  MakeFonts();
  list_.SetColumnWidths(ScaleWidths(widths, dpi_));
  LayOutClientArea();
  RememberColumnWidths();
  RememberGeometry();
}

void MainWindow::MakeFonts() {
  // A control keeps using the font it was given: the old ones go only once the new are set.
  UniqueFont listFont = CreatePixelFont(L"Arial", 15, true, dpi_);
  UniqueFont buttonFont = CreatePixelFont(L"Arial Cyr", 15, true, dpi_);
  // At creation the controls do not exist yet: the fonts are then given as they are made.
  if (list_.Handle())
    SendMessageW(list_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(listFont.get()), TRUE);
  for (HWND button : {addButton_, settingsButton_})
    if (button) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont.get()), TRUE);
  listFont_ = std::move(listFont);
  buttonFont_ = std::move(buttonFont);
}

void MainWindow::LayOutClientArea() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  LayOut(client.right, client.bottom);
}

void MainWindow::LayOut(int clientWidth, int clientHeight) {
  // The list fills the client area above the band of the buttons; the buttons keep their left.
  const MainLayout layout = LayOutMainWindow(clientWidth, clientHeight, dpi_);
  MoveWindow(list_.Handle(), 0, 0, layout.listWidth, layout.listHeight, TRUE);
  const int width = ScaleToDpi(kButtonWidth, dpi_);
  const int height = ScaleToDpi(kButtonHeight, dpi_);
  if (addButton_)
    MoveWindow(addButton_, ScaleToDpi(kAddButtonLeft, dpi_), layout.buttonTop, width, height, TRUE);
  if (settingsButton_)
    MoveWindow(settingsButton_, ScaleToDpi(kSettingsButtonLeft, dpi_), layout.buttonTop, width,
               height, TRUE);
}

void MainWindow::SetColumnWidths(const TaskListView::ColumnWidths& widths) {
  list_.SetColumnWidths(ScaleWidths(widths, dpi_));
  // Widths set from code are not always announced by the header, so they are read back here.
  RememberColumnWidths();
}

void MainWindow::SetBounds(int left, int top, int width, int height) {
  const WindowBounds shown = ScaleBounds({left, top, width, height}, dpi_);
  SetWindowPos(hwnd_, nullptr, shown.left, shown.top, shown.width, shown.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::Maximise() {
  if (IsWindowVisible(hwnd_)) {
    ShowWindow(hwnd_, SW_MAXIMIZE);
    return;
  }
  showMaximised_ = true;
  std::lock_guard lock(store_.mutex);
  store_.window.maximised = true;
}

void MainWindow::ShowMainWindow() {
  taskbar_.Show();
  ShowWindow(hwnd_, showMaximised_ ? SW_SHOWMAXIMIZED : SW_SHOW);
  showMaximised_ = false;
}

void MainWindow::ApplyRowChanges() {
  std::vector<RowChange> changes;
  {
    std::lock_guard lock(store_.mutex);
    changes = store_.rows.TakeChanges();
  }
  if (!changes.empty()) list_.ApplyChanges(changes);
}

void MainWindow::RememberGeometry() {
  // A minimised window keeps the state it had before; a maximised one keeps its last normal
  // geometry, which is what Data.ini stores beside the maximised flag.
  if (!hwnd_ || IsIconic(hwnd_)) return;
  const bool maximised = IsZoomed(hwnd_) != FALSE;
  RECT frame{};
  GetWindowRect(hwnd_, &frame);
  // Data.ini keeps the size at 96 dots per inch, whatever screen the window is on. The position
  // is a point of the whole desktop, in the screens' own pixels: it is brought to 96 by the
  // density the program starts at, which the next start scales it back by. (Brought by the
  // window's density, a window on a screen of another density would come back elsewhere.)
  const WindowBounds size =
      UnscaleBounds({0, 0, frame.right - frame.left, frame.bottom - frame.top}, dpi_);
  const WindowBounds place = UnscaleBounds({frame.left, frame.top, 0, 0}, SystemDpi());
  const WindowBounds stored{place.left, place.top, size.width, size.height};
  std::lock_guard lock(store_.mutex);
  store_.window.maximised = maximised || showMaximised_;
  if (maximised) return;
  store_.window.x = stored.left;
  store_.window.y = stored.top;
  store_.window.width = stored.width;
  store_.window.height = stored.height;
}

void MainWindow::RememberColumnWidths(int trackedColumn, int trackedWidth) {
  TaskListView::ColumnWidths widths = list_.GetColumnWidths();
  if (trackedColumn >= 0 && trackedColumn < ColumnCount) widths[trackedColumn] = trackedWidth;
  std::lock_guard lock(store_.mutex);
  store_.window.columnWidths = UnscaleWidths(widths, dpi_);
}
