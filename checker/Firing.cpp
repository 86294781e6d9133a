#include "checker/Firing.h"

#include "core/DeleteTask.h"
#include "storage/DataFile.h"
#include "core/RowTexts.h"

std::string WorkingFolder(const std::string& fileName) {
  const size_t last = fileName.find_last_of("\\:");
  return last == std::string::npos ? std::string() : fileName.substr(0, last + 1);
}

void LegacyBeep(CheckerPlatform& platform, uint16_t value, uint32_t milliseconds) {
  platform.PortOut(0x43, 0xB6);  // channel 2, low then high byte, square wave, binary
  platform.PortOut(0x42, static_cast<uint8_t>(value & 0xFF));
  platform.PortOut(0x42, static_cast<uint8_t>(value >> 8));
  platform.PortOut(0x61, static_cast<uint8_t>(platform.PortIn(0x61) | 0x03));  // gate + speaker
  platform.Sleep(milliseconds);
  platform.PortOut(0x61, static_cast<uint8_t>(platform.PortIn(0x61) & 0xFC));
}

void BeepMelody(CheckerPlatform& platform) {
  const bool nt = platform.PlatformId() == PlatformNT;
  for (uint16_t tone : BeepMelodyTones) {
    if (nt)
      platform.Beep(tone, 20);
    else
      LegacyBeep(platform, tone, 20);
  }
}

void SaveFromChecker(FiringContext& context) {
  if (!context.running.load()) return;
  if (auto error = SaveData(context.store, context.platform)) context.platform.ReportError(*error);
}

void FireTask(FiringContext& context, StoreLock& lock, int index) {
  Store& store = context.store;
  CheckerPlatform& platform = context.platform;
  const SystemTime& now = context.passTime;
  Ttask& task = store.Tasks[static_cast<size_t>(index)];

  task.PrevY = now.wYear;
  task.PrevM = now.wMonth;
  task.PrevD = now.wDay;
  task.PrevH = now.wHour;
  task.PrevMin = now.wMinute;
  task.PrevS = now.wSecond;
  if (task.Mode == ModeOnce) {
    task.Status = StatusDone;
  } else {
    task.Status = StatusDoneToday;
    task.PrevMS = 1;
  }
  SetCell(store, index, ColumnStatus, false, StatusText(task.Status));

  if (task.ShutDown) {
    // Only in the task's very second; found late it just records the run, and saves nothing.
    if (task.Hour == now.wHour && task.Minute == now.wMinute && task.Second == now.wSecond) {
      if (task.DeleteAfter) DeleteTask(store, lock, platform, index, true);
      // The user-interface thread runs the orderly stop, with its final save, before it asks
      // the system to shut down, so this task's new state is always in Data.ini.
      platform.ShutDownComputer();
    }
    platform.RowsChanged();
    return;
  }

  if (task.ShowMessage) {
    // The popup gets this task's own texts now: the task may be gone when it opens.
    platform.PostReminder(store.Rows.Cell(index, ColumnMoment), task.Text);
  }
  if (task.Sound) BeepMelody(platform);
  if (task.RunFile) platform.OpenFile(task.FileName, WorkingFolder(task.FileName));
  if (task.DeleteAfter) {
    DeleteTask(store, lock, platform, index, true);
    store.Rows.ClearFocus();
  }
  platform.RowsChanged();
  SaveFromChecker(context);
}
