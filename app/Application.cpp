#include "app/Application.h"

#include <optional>

#include "storage/DataFile.h"
#include "ui/editor/DialogMode.h"
#include "ui/shared/MonitorWorkAreas.h"
#include "win32/AutostartLink.h"
#include "win32/ShutDownComputer.h"

namespace {

std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

Application::Application()
    : form1_(store_, platform_),
      form2_(store_),
      form3_(store_),
      checker_(store_, platform_),
      startupFolder_([] { return ReadShellFolder(L"Startup"); }) {
  form2_.SetApplicationMessageHook(
      [this](const MSG& message) { ApplicationEvents1Message(message); });
  form3_.SetApplicationMessageHook(
      [this](const MSG& message) { ApplicationEvents1Message(message); });
  form3_.SetOnApply([this] { return ApplyOptions(); });
  form1_.SetOnDestroy([this] {
    ShutdownSequence();
    if (quitOnDestroy_) PostQuitMessage(0);
  });
  form1_.SetOnQueryEndSession([this] { return ShutdownSequence(); });
  form1_.SetOnReminder([this] {
    PendingReminder reminder;
    // The texts the task had when it fired: it may have deleted itself since.
    if (platform_.TakePendingReminder(reminder))
      popups_.ShowReminder(" " + reminder.momentText, reminder.message);
  });
  form1_.SetOnHideDialogs([this] {
    if (form2_.IsOpen()) form2_.Button2Click();
    if (form3_.IsOpen()) form3_.Button2Click();
  });
  form1_.SetDialogs(&form2_, &form3_);
  form1_.SetOnAddTask([this] { form1_.Button1Click(); });
  form1_.SetOnShutDownComputer([this] { ShutDownComputer(); });
}

Application::~Application() {
  // Destroying the window while it still exists runs the stop sequence first.
  if (HWND window = form1_.Handle()) DestroyWindow(window);
}

bool Application::FormCreate(const std::string& dataPath) {
  popups_.RegisterPopupClass();
  DialogMode = 0;
  platform_.PlatformId();
  // The window is created hidden: ApplySettings decides whether and how it shows.
  if (!form1_.Create()) return false;
  form1_.Tray().Fill(form1_.Handle());
  form1_.TrayMenu().Create();

  store_.DataPath = dataPath;
  // Nothing else runs yet, so the table is read without the lock; ApplySettings moves the
  // window, whose handlers take the lock themselves.
  const std::optional<std::string> error = LoadData(store_, platform_, [this] { ApplySettings(); });
  if (error) {
    platform_.ShowError(*error);
    return false;
  }
  loaded_ = true;
  form1_.ApplyRowChanges();
  // The task editor comes after the main window, the settings dialog after the editor.
  form2_.Create(form1_.Handle());
  form3_.Create(form1_.Handle());
  // Every loaded task is armed: the checker may start.
  store_.CheckEnabled = 1;
  checker_.Start();
  return true;
}

void Application::ApplySettings() {
  const Settings session = store_.settings;
  form1_.SetColumnWidths({session.columnWidths[0], session.columnWidths[1], session.columnWidths[2],
                          session.columnWidths[3], session.columnWidths[4]});
  // A rectangle left on a screen that is gone opens centred on the primary one instead. All of
  // it is in pixels at 96 dots per inch, as Data.ini keeps the geometry; the window scales it.
  const WorkAreaRect primary = platform_.WorkArea();
  const WindowBounds bounds = KeepOnAWorkArea(
      {session.windowLeft, session.windowTop, session.windowWidth, session.windowHeight},
      MonitorWorkAreas(form1_.Dpi()), primary);
  form1_.SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
  if (session.maximised) form1_.Maximise();
  {
    std::lock_guard lock(store_.Mutex);
    store_.Window.known = true;
  }

  if (session.startHidden) {
    form1_.Tag = 2;
    // Without the tray the window shows and is then minimised to the taskbar, as soon as the
    // loop takes this command.
    if (!session.useTray) PostMessageW(form1_.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    form1_.TrayMenu().SetToggleText(true);
  } else {
    form1_.Tag = 0;
    form1_.ShowMainWindow();
  }
  if (session.useTray)
    form1_.Tray().Add();
  else if (!IsWindowVisible(form1_.Handle()))
    form1_.ShowMainWindow();

  SyncAutostartLink(startupFolder_ ? startupFolder_() : std::wstring(), ExecutablePath(),
                    session.startWithWindows != 0,
                    [this](const std::string& text) { platform_.ShowError(text); });
}

bool Application::ShutdownSequence() {
  if (stopped_) return true;
  stopped_ = true;
  // The checker leaves its loops before anything else: no pass and no save after this.
  checker_.Stop();
  form1_.Stopped();
  // The geometry to save is the one the window has now; hiding it changes nothing stored.
  if (HWND window = form1_.Handle()) ShowWindow(window, SW_HIDE);
  form1_.Tray().Delete();
  // What is still queued is handled now: popups of tasks that fired, row changes. A quit request
  // met on the way is left for the loop.
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  popups_.UnregisterPopupClass();
  // A table read only in part is never written over the file.
  if (!loaded_) return true;
  std::optional<std::string> error;
  {
    std::lock_guard lock(store_.Mutex);
    error = SaveData(store_, platform_);
    if (!error) std::string().swap(store_.OutBuffer);
  }
  if (error) {
    platform_.ShowError(*error);
    return false;
  }
  return true;
}

bool Application::ApplyOptions() {
  Settings session;
  {
    std::lock_guard lock(store_.Mutex);
    session = store_.settings;
  }
  if (session.useTray)
    form1_.Tray().Add();
  else
    form1_.Tray().Delete();
  bool linkMade = true;
  SyncAutostartLink(startupFolder_ ? startupFolder_() : std::wstring(), ExecutablePath(),
                    session.startWithWindows != 0, [this, &linkMade](const std::string& text) {
                      linkMade = false;
                      platform_.ShowError(text);
                    });
  return linkMade;
}

void Application::ShutDownComputer() {
  ShutdownSequence();
  RequestForcedShutdown(platform_.PlatformId(), shutdownCalls_);
  // The close request stands even when the shutdown was refused.
  if (HWND window = form1_.Handle()) DestroyWindow(window);
}

void Application::ApplicationEvents1Message(const MSG& message) {
  // The end of the session taken from the queue: the main window's destroy handling runs the
  // stop sequence when this posted message is dispatched.
  if (message.message == WM_QUERYENDSESSION && form1_.Handle())
    PostMessageW(form1_.Handle(), WM_DESTROY, 0, 0);
  if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) return;
  switch (DialogMode) {
    case 0: {
      // Minimise the application; with the tray option on the main window hides to the tray.
      HWND window = form1_.Handle();
      if (window && IsWindowVisible(window) && !IsIconic(window))
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      break;
    }
    case 1:
      form2_.EditorEscapeMessage(message);
      break;
    case 2:
      form3_.Button2Click();
      break;
    default:
      break;
  }
}
