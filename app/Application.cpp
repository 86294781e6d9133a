#include "app/Application.h"

#include <optional>

#include "storage/DataFile.h"
#include "ui/shared/DialogKeys.h"
#include "ui/shared/ScreenPlacement.h"
#include "win32/AutostartLink.h"
#include "win32/ErrorBox.h"
#include "win32/Paths.h"
#include "win32/ShutDownComputer.h"

Application::Application()
    : mainWindow_(store_, platform_, *this),
      editor_(store_, [this] { return platform_.LocalTime(); }),
      settingsDialog_(store_),
      checker_(store_, platform_),
      startupFolder_([] { return StartupFolder(); }) {
  editor_.SetApplicationMessageHook([this](const MSG& message) { PreviewMessage(message); });
  settingsDialog_.SetApplicationMessageHook(
      [this](const MSG& message) { PreviewMessage(message); });
  settingsDialog_.SetOnApply([this] { return ApplyOptions(); });
  mainWindow_.SetDialogs(&editor_, &settingsDialog_);
  platform_.SetWindowJobs(this);
  popups_.SetOnSnooze([this](const std::string& moment, const std::string& text, bool sound,
                             const SoundChoice& soundChoice, int32_t minutes) {
    Snooze(moment, text, sound, soundChoice, minutes);
  });
  popups_.SetOnAnswered([this](uint64_t reminder) { platform_.SoundAnswered(reminder); });
  shutdownWarning_.SetOnShutDown([this] { ShutDownNow(); });
}

bool Application::SaveBeforeExit() {
  if (stopped_ || !loaded_) return true;
  if (askingToRetryExit_) return false;  // asked again while its box is open
  shutdownWarning_.Close();
  // No pass changes the table while it is saved, and none saves after the last save.
  checker_.Stop();
  askingToRetryExit_ = true;
  std::optional<std::string> error = Save(true);
  while (error && !stopped_ && AskRetryAfterError(mainWindow_.Handle(), *error)) error = Save(true);
  askingToRetryExit_ = false;
  // The end of the session may have stopped the program while the box was open.
  if (stopped_) return true;
  if (error) {
    checker_.Restart();
    return false;
  }
  savedForExit_ = true;
  return true;
}

void Application::OnMainWindowDestroyed() {
  ShutdownSequence();
  if (quitOnDestroy_) PostQuitMessage(0);
}

void Application::ShowReminder(const std::string& momentText, const std::string& message,
                               bool sound, const SoundChoice& soundChoice, uint64_t reminder) {
  int32_t snoozeMinutes = kDefaultSnoozeMinutes;
  {
    std::lock_guard lock(store_.mutex);
    snoozeMinutes = store_.settings.snoozeMinutes;
  }
  popups_.ShowReminder(" " + momentText, message, sound, snoozeMinutes, soundChoice, reminder);
}

void Application::Snooze(const std::string& moment, const std::string& text, bool sound,
                         const SoundChoice& soundChoice, int32_t minutes) {
  if (stopped_) return;
  {
    std::lock_guard lock(store_.mutex);
    store_.settings.snoozeMinutes = minutes;
    const LocalMoment due = AddMinutes(MomentOf(platform_.LocalTime()), minutes);
    InsertByDue(store_.snoozed, {due, moment, text, sound, soundChoice});
  }
  // Kept at once: a crash or a restart never loses it.
  SaveNow();
}

void Application::CancelOpenDialogs() {
  if (editor_.IsOpen()) editor_.Cancel();
  if (settingsDialog_.IsOpen()) settingsDialog_.Cancel();
}

void Application::SaveForEndOfSession() {
  if (stopped_ || !loaded_) return;
  // A box now would hold up the end of the session; it waits in the window's queue and shows if
  // the session goes on.
  if (std::optional<std::string> error = Save()) platform_.PostError(*error);
}

void Application::StopForEndOfSession() {
  ShutdownSequence();
  if (quitOnDestroy_) PostQuitMessage(0);
}

void Application::SaveBeforeSleep() {
  // Like the end of the session: a box would wait until the computer wakes up.
  SaveForEndOfSession();
}

void Application::ShowMissed(const std::vector<MissedReminder>& missed) {
  if (!stopped_) missedWindow_.Show(missed);
}

std::optional<std::string> Application::Save(bool lastSave) {
  std::lock_guard lock(store_.mutex);
  std::optional<std::string> error = SaveData(store_, platform_);
  if (lastSave && !error) std::string().swap(store_.outBuffer);
  return error;
}

bool Application::SaveNow(bool lastSave) {
  const std::optional<std::string> error = Save(lastSave);
  if (error) platform_.ShowError(*error);
  return !error;
}

Application::~Application() {
  // Destroying the window while it still exists runs the stop sequence first.
  if (HWND window = mainWindow_.Handle()) DestroyWindow(window);
}

bool Application::Start(const std::string& dataPath, const std::string& startFrom) {
  store_.dataPath = dataPath;
  // The file is read on the second processor while the windows are made: a long list then
  // costs the start little. The checker's thread reads it before its first pass, which waits
  // for the tasks to be taken; the reading touches nothing of the program's meanwhile.
  DataFileContents contents;
  checker_.StartEarlyWith(
      [&, source = startFrom.empty() ? dataPath : startFrom, settings = store_.settings,
       seen = store_.seen] { contents = ReadDataFile(platform_, source, settings, seen); });

  popups_.RegisterPopupClass();
  // The window is created hidden: ApplySettings decides whether and how it shows.
  const bool created = mainWindow_.Create();
  if (created) {
    mainWindow_.Tray().Fill(mainWindow_.Handle());
    mainWindow_.TrayMenu().Create();
  }
  checker_.WaitForEarlyJob();  // `contents` is written until then
  if (!created) return false;

  // No pass runs yet, so the table is filled without the lock; ApplySettings moves the window,
  // whose handlers take the lock themselves.
  const std::optional<std::string> error =
      TakeDataFile(store_, std::move(contents), [this] { ApplySettings(); });
  if (error) {
    FinishApplyingSettings();
    platform_.ShowError(*error);
    return false;
  }
  loaded_ = true;
  mainWindow_.ApplyRowChanges();
  FinishApplyingSettings();
  // The icon was added with the settings, before the tasks were read.
  if (store_.settings.useTray) mainWindow_.ComposeTrayTipNow();
  mainWindow_.ArmWakeTimerNow();
  // The dialogs are created when first opened, over the main window.
  editor_.Remembered() = StartingMoment(platform_.LocalTime());
  editor_.CreateOnFirstOpening(mainWindow_.Handle());
  settingsDialog_.CreateOnFirstOpening(mainWindow_.Handle());
  // Every loaded task is armed: the checker's passes may start.
  checker_.Start();
  return true;
}

void Application::ApplySettings() {
  const Settings settings = store_.settings;
  mainWindow_.SetColumnWidths(settings.columnWidths);
  // A rectangle left on a screen that is gone opens centred on the primary one instead. All of
  // it is in pixels at 96 dots per inch, as Data.ini keeps the geometry; the window scales it.
  const WorkAreaRect primary = platform_.WorkArea();
  const WindowBounds bounds = KeepOnAWorkArea(
      {settings.windowLeft, settings.windowTop, settings.windowWidth, settings.windowHeight},
      MonitorWorkAreas(mainWindow_.Dpi()), primary);
  mainWindow_.SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
  if (settings.maximised) mainWindow_.Maximise();
  {
    std::lock_guard lock(store_.mutex);
    store_.window.known = true;
  }

  if (settings.startHidden) {
    mainWindow_.SetHiddenToTray(true);
    // Without the tray the window shows and is then minimised to the taskbar, as soon as the
    // loop takes this command.
    if (!settings.useTray) PostMessageW(mainWindow_.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    mainWindow_.TrayMenu().SetToggleText(true);
  } else {
    mainWindow_.SetHiddenToTray(false);
    showWhenLoaded_ = true;
  }
  if (settings.useTray)
    mainWindow_.AddTrayIcon();
  else
    showWhenLoaded_ = true;

  autostartWhenLoaded_ = true;
}

void Application::FinishApplyingSettings() {
  if (showWhenLoaded_) {
    showWhenLoaded_ = false;
    mainWindow_.ShowMainWindow();
    // Painted now, with its rows, before anything else is answered.
    UpdateWindow(mainWindow_.Handle());
  }
  // After the window, so that a link that cannot be made is reported over it.
  if (autostartWhenLoaded_) {
    autostartWhenLoaded_ = false;
    SyncAutostart(store_.settings.startWithWindows);
  }
}

bool Application::SyncAutostart(bool startWithWindows) {
  bool linkMade = true;
  SyncAutostartLink(startupFolder_ ? startupFolder_() : std::wstring(), ExecutablePath(),
                    startWithWindows, [this, &linkMade](const std::string& text) {
                      linkMade = false;
                      platform_.ShowError(text);
                    });
  return linkMade;
}

bool Application::ShutdownSequence() {
  if (stopped_) return true;
  stopped_ = true;
  // The checker leaves its loops before anything else: no pass and no save after this.
  checker_.Stop();
  mainWindow_.Stopped();
  // The program's end cancels a shutdown still counting down.
  shutdownWarning_.Close();
  // The geometry to save is the one the window has now; hiding it changes nothing stored.
  if (HWND window = mainWindow_.Handle()) ShowWindow(window, SW_HIDE);
  mainWindow_.Tray().Delete();
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
  // A table read only in part is never written over the file; "Выход" has saved already.
  if (!loaded_ || savedForExit_) return true;
  return SaveNow(true);
}

bool Application::ApplyOptions() {
  Settings settings;
  {
    std::lock_guard lock(store_.mutex);
    settings = store_.settings;
  }
  if (settings.useTray)
    mainWindow_.AddTrayIcon();
  else
    mainWindow_.Tray().Delete();
  const bool linkMade = SyncAutostart(settings.startWithWindows);
  SaveNow();  // the options are saved at once, like every change of the table
  return linkMade;
}

void Application::ShutDownComputer() {
  if (stopped_) return;
  // A second task that asks while the warning counts joins it.
  shutdownWarning_.Open(shutdownWarningSeconds_);
  // The firing saved nothing: the task stays done for its period after "Отмена" too. A failure is
  // reported without a box in the way of the count.
  if (std::optional<std::string> error = Save()) platform_.PostError(*error);
}

void Application::ShutDownNow() {
  ShutdownSequence();
  RequestForcedShutdown(shutdownCalls_);
  // The close request stands even when the shutdown was refused.
  if (HWND window = mainWindow_.Handle()) DestroyWindow(window);
}

void Application::PreviewMessage(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) return;
  // With a drop-down list open, Escape closes only the list, in every window.
  if (GoesToDroppedList(message)) return;
  const HWND warning = shutdownWarning_.Handle();
  const HWND missed = missedWindow_.Handle();
  if (missed && (message.hwnd == missed || IsChild(missed, message.hwnd))) {
    missedWindow_.Destroy();  // Escape in the list of missed reminders closes it, as OK does
  } else if (warning && (message.hwnd == warning || IsChild(warning, message.hwnd))) {
    shutdownWarning_.Close();  // Escape in the shutdown warning cancels, as "Отмена" does
  } else if (editor_.IsOpenForNewTask()) {
    editor_.CancelOnEscape(message);
  } else if (settingsDialog_.IsOpen()) {
    settingsDialog_.Cancel();
  } else {
    // Minimise the program; with the tray option on the main window hides to the tray. (The
    // editor of an existing task does not take Escape: the program is minimised then too.)
    HWND window = mainWindow_.Handle();
    if (window && IsWindowVisible(window) && !IsIconic(window))
      PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  }
}
