// The program's icon in the notification area and its popup menu.
#pragma once

#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include "win32/MessageIds.h"

// The icon record, filled once for the main window and never changed: the first form of
// NOTIFYICONDATAA, identifier 1, the icon resource "MAINICON", the tip "Vornakel".
class TrayIcon {
 public:
  // The size of that first form as this build lays it out (88 bytes in a 32-bit program, 104 in
  // a 64-bit one, whose handles are wider): the shell reads the record by it.
  static constexpr DWORD kRecordSize = NOTIFYICONDATAA_V1_SIZE;

  // The shell's function; another may stand in for it (a shell that is not ready).
  using NotifyFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
  void SetNotifyFunction(NotifyFunction notify) { notify_ = notify; }

  void Fill(HWND window);
  // Adding while the icon is there leaves the one icon; deleting without one is harmless.
  bool Add();
  bool Delete();
  const NOTIFYICONDATAA& TrayData() const { return record_; }

 private:
  NOTIFYICONDATAA record_{};
  NotifyFunction notify_ = &Shell_NotifyIconA;
};
