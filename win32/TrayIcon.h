// The program's icon in the notification area and its popup menu.
#pragma once

#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include <string>

#include "win32/MessageIds.h"

// The icon record, filled once for the main window: identifier 1, the icon resource "MAINICON",
// the tip "Vornakel" until the program says what comes next (SetTip).
class TrayIcon {
 public:
  // The record's second form, the first with a tip of 128 characters (the first form holds 64):
  // the shell reads the record by this size.
  static constexpr DWORD kRecordSize = NOTIFYICONDATAW_V2_SIZE;

  // The shell's function; another may stand in for it (a shell that is not ready).
  using NotifyFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
  void SetNotifyFunction(NotifyFunction notify) { notify_ = notify; }

  void Fill(HWND window);
  // Adding while the icon is there leaves the one icon; deleting without one is harmless.
  bool Add();
  bool Delete();
  // The tip, cut to the record's 127 characters; the icon shown takes it at once.
  void SetTip(const std::wstring& tip);
  const NOTIFYICONDATAW& TrayData() const { return record_; }

 private:
  NOTIFYICONDATAW record_{};
  NotifyFunction notify_ = &Shell_NotifyIconW;
  bool added_ = false;
};
