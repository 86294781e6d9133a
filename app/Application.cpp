#include "app/Application.h"

#include <optional>

#include "storage/DataFile.h"
#include "win32/ShutDownComputer.h"

Application::Application()
    : form1_(store_, platform_), form2_(store_), checker_(store_, platform_) {
  form2_.SetApplicationMessageHook([this](const MSG& message) { ApplicationEvents1Message(message); });
  form1_.SetOnDestroy([this] {
    ShutdownSequence();
    if (quitOnDestroy_) PostQuitMessage(0);
  });
  form1_.SetOnReminder([this] {
    PendingReminder reminder;
    // The texts the task had when it fired: it may have deleted itself since.
    if (platform_.TakePendingReminder(reminder))
      popups_.ShowReminder(" " + reminder.momentText, reminder.message);
  });
  form1_.SetOnShutDownComputer([this] { ShutDownComputer(); });
}

Application::~Application() {
  // Destroying the window while it still exists runs the stop sequence first.
  if (HWND window = form1_.Handle()) DestroyWindow(window);
}

bool Application::FormCreate(const std::string& dataPath) {
  popups_.RegisterPopupClass();
  platform_.PlatformId();
  // Later steps of the creation come here in their order: the tray icon record and the tray
  // menu (before the window is needed).
  if (!form1_.Create()) return false;

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
  // The task editor comes after the main window; the settings dialog will follow it.
  form2_.Create(form1_.Handle());
  // Every loaded task is armed: the checker may start.
  store_.CheckEnabled = 1;
  checker_.Start();
  return true;
}

void Application::ApplySettings() {
  const TSreda& session = store_.Session;
  form1_.SetColumnWidths({session.Ln0, session.Ln1, session.Ln2, session.Ln3, session.Ln4});
  form1_.SetBounds(session.WinX, session.WinY, session.WinW, session.WinH);
  if (session.WinMax) form1_.Maximise();
  {
    std::lock_guard lock(store_.Mutex);
    store_.Window.known = true;
  }
  // Later: start minimised (the window's Tag, SC_MINIMIZE without the tray, the tray menu's
  // "Развернуть"), the tray icon (NIM_ADD; without the tray the window is shown) and the
  // autostart link. Until then the window is always shown.
  form1_.ShowMainWindow();
}

void Application::ShutdownSequence() {
  if (stopped_) return;
  stopped_ = true;
  // The checker leaves its loops before the final save composes the table.
  checker_.Stop();
  // Later: the window hidden, the tray icon removed.
  popups_.UnregisterPopupClass();
  if (!loaded_) return;
  std::optional<std::string> error;
  {
    std::lock_guard lock(store_.Mutex);
    error = SaveData(store_, platform_);
  }
  if (error) platform_.ShowError(*error);
}

void Application::ShutDownComputer() {
  ShutdownSequence();
  RequestForcedShutdown(platform_.PlatformId(), shutdownCalls_);
  // The close request stands even when the shutdown was refused.
  if (HWND window = form1_.Handle()) DestroyWindow(window);
}

void Application::ApplicationEvents1Message(const MSG& message) {
  form2_.EditorEscapeMessage(message);
}
