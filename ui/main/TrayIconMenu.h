// The tray icon's menu: "Добавить задание" (2), "Свернуть"/"Развернуть" (1), a separator (3),
// "Выход" (0); a choice reaches the main window as WM_COMMAND with that identifier.
#pragma once

#include <windows.h>

#include <string>

#include "win32/Handles.h"

class TrayIconMenu {
 public:
  void Create();
  HMENU Handle() const { return menu_.get(); }
  // Item 1 offers what the toggle will do: restore a hidden window or hide a shown one.
  void SetToggleText(bool windowHidden);
  // The menu at `where`, its bottom-right corner there; the choice reaches `owner` as
  // WM_COMMAND.
  void Track(HWND owner, POINT where) const;

  // The item's text as cp1251, for tests and checks.
  std::string ItemText(UINT command) const;

 private:
  UniqueMenu menu_;
};
