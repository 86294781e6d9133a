// The program's icon in the notification area and its popup menu.
#pragma once

#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include "win32/MessageIds.h"

// The icon record, filled once for the main window and never changed: the first, 88-byte form
// of NOTIFYICONDATAA, identifier 1, the icon resource "MAINICON", the tip "Vornakel".
class TrayIcon {
 public:
  static constexpr DWORD kRecordSize = 88;

  void Fill(HWND window);
  // Adding while the icon is there leaves the one icon; deleting without one is harmless.
  bool Add();
  bool Delete();
  const NOTIFYICONDATAA& TrayData() const { return record_; }

 private:
  NOTIFYICONDATAA record_{};
};
