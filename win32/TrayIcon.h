// The program's icon in the notification area and its popup menu.
#pragma once

#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include <string>

// Callback message of the tray icon (WM_APP + 4).
inline constexpr UINT WM_TRAYICON = 0x8004;
// What the shell passes as its lParam.
inline constexpr LPARAM kTrayDoubleClick = WM_LBUTTONDBLCLK;  // 515: hide or restore
inline constexpr LPARAM kTrayRightButtonUp = WM_RBUTTONUP;    // 517: the menu

// Command identifiers of the tray menu, reaching the main window as WM_COMMAND.
inline constexpr WORD kCommandExit = 0;
inline constexpr WORD kCommandToggle = 1;
inline constexpr WORD kCommandAddTask = 2;
inline constexpr WORD kCommandSeparator = 3;

// The icon record, filled once for the main window and never changed: the first, 88-byte form
// of NOTIFYICONDATAA, identifier 1, the icon resource "MAINICON", the tip "Vornakel".
class TrayIcon {
 public:
  static constexpr DWORD kRecordSize = 88;

  void Fill(HWND window);
  // Adding while the icon is there leaves the one icon; deleting without one is harmless.
  bool Add();
  bool Delete();
  const NOTIFYICONDATAA& TrayData() const { return TrayData_; }

 private:
  NOTIFYICONDATAA TrayData_{};
};

// The tray menu: "Добавить задание" (2), "Свернуть"/"Развернуть" (1), a separator (3),
// "Выход" (0).
class TrayPopupMenu {
 public:
  TrayPopupMenu() = default;
  ~TrayPopupMenu();
  TrayPopupMenu(const TrayPopupMenu&) = delete;
  TrayPopupMenu& operator=(const TrayPopupMenu&) = delete;

  void Create();
  HMENU Handle() const { return menu_; }
  // Item 1 offers what the toggle will do: restore a hidden window or hide a shown one.
  void SetToggleText(bool windowHidden);
  // The menu at `where`, its bottom-right corner there; the choice reaches `owner` as
  // WM_COMMAND.
  void Track(HWND owner, POINT where) const;

  // The item's text as cp1251, for tests and checks.
  std::string ItemText(UINT command) const;

 private:
  HMENU menu_ = nullptr;
};
