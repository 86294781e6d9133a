// The running program: the store, the platform and the main window, its start-up
// (Start, ApplySettings) and its stop (ShutdownSequence).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "checker/Checker.h"
#include "core/Store.h"
#include "ui/editor/TaskEditor.h"
#include "ui/main/MainWindow.h"
#include "ui/missed/MissedRemindersWindow.h"
#include "ui/popup/ReminderPopups.h"
#include "ui/settings/SettingsDialog.h"
#include "ui/shutdown/ShutdownWarning.h"
#include "win32/ShutDownComputer.h"
#include "win32/Win32Platform.h"

class Application final : public MainWindowEvents, public WindowJobs {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Start-up: creates the main window and loads `dataPath` (or `startFrom`, when given: a file
  // that is read but never written), applying its settings. A load that fails is reported in
  // the error box; it returns false then, and the partly read table is never saved.
  bool Start(const std::string& dataPath, const std::string& startFrom = {});

  // Settings read from Data.ini applied to the main window; LoadData calls it between the
  // settings and the tasks.
  void ApplySettings();
  // Once the tasks are in the list: the main window shown if the settings ask for it, and the
  // autostart link brought in line with them.
  void FinishApplyingSettings();

  // Runs at most once, at the end of the session or when the main window is destroyed: the
  // checker stopped (no pass and no save after it), the window hidden, the tray icon removed,
  // pending messages handled, the popup class gone, the final save. False when that save failed.
  bool ShutdownSequence();

  // The settings dialog's OK: the tray icon and the autostart shortcut follow the settings at
  // once, and Data.ini is saved. False when the shortcut could not be made.
  bool ApplyOptions();

  // A task asked to shut the computer down: the warning opens and counts down (one warning for
  // tasks that ask while it counts), and the task's new state is saved. "Отмена" leaves the
  // program running; the end of the count or "Выключить сейчас" shuts down (ShutDownNow).
  void ShutDownComputer() override;
  // The orderly stop with its final save comes first, so the task's new state is in Data.ini;
  // then the shutdown privilege and the forced shutdown; then the program ends.
  void ShutDownNow();

  // "Выход" or the taskbar's "Close window": the checker stops and the table is saved; a save
  // that fails asks to retry. Cancelled, the checker runs again and the program goes on. Ending
  // the program cancels a shutdown that its warning was counting down to.
  bool SaveBeforeExit() override;
  // The rest of what the main window asks of the program.
  void OnMainWindowDestroyed() override;
  // The checker's requests, run on this thread: a fired task's popup, the list brought up to
  // date.
  void ShowReminder(const std::string& momentText, const std::string& message, bool sound,
                    const SoundChoice& soundChoice, uint64_t reminder) override;
  void ApplyRowChanges() override { mainWindow_.ApplyRowChanges(); }
  // "Отложить" on a popup: the reminder comes back `minutes` from now, with the same sound.
  void Snooze(const std::string& moment, const std::string& text, bool sound,
              const SoundChoice& soundChoice, int32_t minutes);
  void CancelOpenDialogs() override;
  void SaveForEndOfSession() override;
  void StopForEndOfSession() override;
  void SaveBeforeSleep() override;
  void ResumedFromSleep() override { checker_.Resumed(); }
  void ShowMissed(const std::vector<MissedReminder>& missed) override;
  MissedRemindersWindow& missedWindow() { return missedWindow_; }

  // The application-wide hook that sees every message taken from this thread's queue, by the
  // main loop and by the dialogs' modal loops.
  void PreviewMessage(const MSG& message);

  // Ends the message loop once the main window has been destroyed.
  void QuitWhenMainWindowCloses() { quitOnDestroy_ = true; }

  Store& store() { return store_; }
  Win32Platform& platform() { return platform_; }
  MainWindow& mainWindow() { return mainWindow_; }
  TaskEditor& editor() { return editor_; }
  SettingsDialog& settingsDialog() { return settingsDialog_; }
  Checker& checker() { return checker_; }
  // The system calls of the shutdown; tests put recorders in place of the real ones.
  void SetShutdownCalls(const ShutdownCalls& calls) { shutdownCalls_ = calls; }
  // The warning's count, in seconds; tests shorten it.
  void SetShutdownWarningSeconds(int seconds) { shutdownWarningSeconds_ = seconds; }
  ShutdownWarning& shutdownWarning() { return shutdownWarning_; }
  ReminderPopups& popups() { return popups_; }
  // Where the autostart shortcut goes: the user's Startup folder, or, in tests, a folder of
  // their own. Set before Start.
  void SetStartupFolderSource(std::function<std::wstring()> source) {
    startupFolder_ = std::move(source);
  }

 private:
  // The autostart shortcut follows the option; false when it could not be made (its box shown).
  bool SyncAutostart(bool startWithWindows);
  // Saves the table now; a failure is shown in the error box. With `lastSave` the output
  // buffer is released after a save that succeeded.
  bool SaveNow(bool lastSave = false);
  // The same without the box: the error text, if any.
  std::optional<std::string> Save(bool lastSave = false);

  Store store_;
  Win32Platform platform_;
  MainWindow mainWindow_;
  TaskEditor editor_;
  SettingsDialog settingsDialog_;
  ReminderPopups popups_;
  MissedRemindersWindow missedWindow_;
  Checker checker_;
  ShutdownCalls shutdownCalls_;
  ShutdownWarning shutdownWarning_;
  int shutdownWarningSeconds_ = kShutdownWarningSeconds;
  std::function<std::wstring()> startupFolder_;
  bool loaded_ = false;  // the whole file was read: only then may it be written
  // The settings want the window shown: it shows once the tasks are in the list, so that its first
  // painting has them.
  bool showWhenLoaded_ = false;
  bool autostartWhenLoaded_ = false;
  bool stopped_ = false;
  bool askingToRetryExit_ = false;  // the box of a failed last save is open
  bool savedForExit_ = false;       // the last save is made: the stop sequence writes no more
  bool quitOnDestroy_ = false;
};
