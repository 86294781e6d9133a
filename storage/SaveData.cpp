// SaveData: the whole of Data.ini composed in the output buffer, then written over the old file
// in one atomic replace.
#include <string_view>

#include "core/RowTexts.h"
#include "storage/AtomicReplace.h"
#include "storage/DataFile.h"
#include "storage/ValueWriter.h"

namespace {

// The main window's geometry and column widths, as the user-interface thread last saw them.
void TakeWindowState(Store& store) {
  const WindowState& window = store.window;
  if (!window.known) return;
  Settings& settings = store.settings;
  if (window.maximised) {
    // The stored geometry stays the last normal one.
    settings.maximised = true;
  } else {
    settings.maximised = false;
    settings.windowLeft = window.x;
    settings.windowTop = window.y;
    settings.windowWidth = window.width;
    settings.windowHeight = window.height;
  }
  settings.columnWidths = window.columnWidths;
}

// An upper bound of the file's size, so the buffer is grown at most once per save.
size_t ComposedSizeBound(const Store& store) {
  constexpr size_t kSettingsBound = 512;
  constexpr size_t kTaskBound = 512;  // header and the 21 number and flag lines, with room
  size_t bound = kSettingsBound + TextLineBound("LastOD", store.settings.lastFileFolder.size()) +
                 TextLineBound("LastSD", store.settings.lastSoundFolder.size());
  for (const Task& task : store.tasks)
    bound += kTaskBound + TextLineBound("Tex", task.message.size()) +
             TextLineBound("FN", task.fileName.size()) +
             TextLineBound("SndF", task.soundChoice.file.size());
  for (const SnoozedReminder& reminder : store.snoozed)
    bound += kTaskBound + TextLineBound("Mom", reminder.moment.size()) +
             TextLineBound("Tex", reminder.message.size()) +
             TextLineBound("SndF", reminder.soundChoice.file.size());
  return bound;
}

void ComposeSettings(std::string& out, const Settings& settings, const LocalMoment& seen) {
  AppendSectionLine(out, "SETTINGS");
  AppendIntLine(out, "WinX", settings.windowLeft);
  AppendIntLine(out, "WinY", settings.windowTop);
  AppendIntLine(out, "WinW", settings.windowWidth);
  AppendIntLine(out, "WinH", settings.windowHeight);
  AppendFlagLine(out, "WinS", settings.startWithWindows);
  AppendFlagLine(out, "Tray", settings.useTray);
  AppendFlagLine(out, "WinMax", settings.maximised);
  AppendFlagLine(out, "SMin", settings.startHidden);
  AppendIntLine(out, "Ln0", settings.columnWidths[0]);
  AppendIntLine(out, "Ln1", settings.columnWidths[1]);
  AppendIntLine(out, "Ln2", settings.columnWidths[2]);
  AppendIntLine(out, "Ln3", settings.columnWidths[3]);
  AppendIntLine(out, "Ln4", settings.columnWidths[4]);
  AppendIntLine(out, "TasksN", settings.taskCount);
  AppendTextLine(out, "LastOD", settings.lastFileFolder);
  // Newer keys follow what older versions write; those versions pass them by.
  AppendIntLine(out, "Snooze", settings.snoozeMinutes);
  AppendIntLine(out, "SnoozeN", settings.snoozedCount);
  AppendTextLine(out, "LastSD", settings.lastSoundFolder);
  AppendTextLine(out, "Seen", DueText(seen));
}

// The sound file (empty for the melody) and whether it repeats until answered.
void ComposeSoundChoice(std::string& out, const SoundChoice& choice) {
  AppendTextLine(out, "SndF", choice.file);
  AppendFlagLine(out, "Rpt", choice.repeat);
}

// After the last task section, so an older version never meets one.
void ComposeSnoozed(std::string& out, const SnoozedReminder& reminder, int32_t n) {
  AppendSectionLine(out, "SNOOZE", n);
  AppendTextLine(out, "Due", DueText(reminder.due));
  AppendMessageLine(out, "Mom", reminder.moment);
  AppendMessageLine(out, "Tex", reminder.message);
  AppendFlagLine(out, "Snd", reminder.sound);
  ComposeSoundChoice(out, reminder.soundChoice);
}

void ComposeTask(std::string& out, const Task& task, int32_t n) {
  AppendSectionLine(out, "TASK", n);
  AppendIntLine(out, "Mod", task.recurrence);
  AppendIntLine(out, "Ssec", task.secondOfDay);
  AppendIntLine(out, "Year", task.year);
  AppendIntLine(out, "Mon", task.month);
  AppendIntLine(out, "Day", task.day);
  AppendMessageLine(out, "Tex", task.message);
  AppendFlagLine(out, "Del", task.deleteAfter);
  AppendFlagLine(out, "NM", task.showMessage);
  AppendFlagLine(out, "Ex", task.runFile);
  AppendFlagLine(out, "OFF", task.shutDown);
  AppendFlagLine(out, "Snd", task.beep);
  AppendIntLine(out, "Stat", task.status);
  AppendTextLine(out, "FN", task.fileName);
  AppendIntLine(out, "PrevY", task.lastRun.year);
  AppendIntLine(out, "PrevM", task.lastRun.month);
  AppendIntLine(out, "PrevD", task.lastRun.day);
  AppendIntLine(out, "PrevH", task.lastRun.hour);
  AppendIntLine(out, "PrevMin", task.lastRun.minute);
  AppendIntLine(out, "PrevS", task.lastRun.second);
  AppendIntLine(out, "PrevMS", task.doneThisPeriod);
  ComposeSoundChoice(out, task.soundChoice);
  AppendFlagLine(out, "Wake", task.wake);
  // The rules beyond `Mod`, which keeps the nearest one an older version knows; a task without
  // them writes none, so that a file of plain tasks stays as an older version wrote it.
  if (task.rule.kind != PlainRule) {
    AppendIntLine(out, "Kind", task.rule.kind);
    AppendIntLine(out, "N", task.rule.every);
    AppendIntLine(out, "Days", task.rule.weekdays);
    AppendIntLine(out, "Till", task.rule.tillSecond);
  }
  if (task.warnMinutes != 0) AppendIntLine(out, "Pre", task.warnMinutes);
}

// A 0x01 byte in a message reads back as a line break. The table takes the line break now, so
// that the list and the popups show what the file holds.
void MarksBecomeLineBreaks(Store& store, Platform& platform) {
  bool anyChanged = false;
  for (size_t n = 0; n < store.tasks.size(); ++n) {
    std::string& message = store.tasks[n].message;
    size_t at = message.find('\x01');
    if (at == std::string::npos) continue;
    for (; at != std::string::npos; at = message.find('\x01', at)) message.replace(at, 1, "\r\n");
    store.rows.CellChanged(static_cast<int>(n), ColumnMessage);
    anyChanged = true;
  }
  if (anyChanged) platform.RowsChanged();
}

}  // namespace

uint64_t ComposeDataFile(Store& store, Platform& platform, std::string& out) {
  TakeWindowState(store);
  store.settings.taskCount = static_cast<int32_t>(store.tasks.size());
  store.settings.snoozedCount = static_cast<int32_t>(store.snoozed.size());
  out.clear();
  out.reserve(ComposedSizeBound(store));  // capacity is kept from save to save
  // Before the first pass the moment of the save is as good: nothing before it was missed that
  // the next start could tell.
  ComposeSettings(out, store.settings, store.seen.value_or(MomentOf(platform.LocalTime())));
  for (size_t n = 0; n < store.tasks.size(); ++n)
    ComposeTask(out, store.tasks[n], static_cast<int32_t>(n));
  for (size_t n = 0; n < store.snoozed.size(); ++n)
    ComposeSnoozed(out, store.snoozed[n], static_cast<int32_t>(n));
  MarksBecomeLineBreaks(store, platform);
  return ++store.composedSaves;
}

std::optional<std::string> WriteDataFile(Store& store, Platform& platform, uint64_t save,
                                         std::string_view bytes) {
  std::lock_guard files(store.fileMutex);
  if (save < store.writtenSave) return std::nullopt;  // a later state is on the disk already
  auto error = ReplaceFileAtomically(platform.Files(), store.dataPath, bytes);
  if (!error) store.writtenSave = save;
  return error;
}

std::optional<std::string> SaveData(Store& store, Platform& platform) {
  const uint64_t save = ComposeDataFile(store, platform, store.outBuffer);
  return WriteDataFile(store, platform, save, store.outBuffer);
}
