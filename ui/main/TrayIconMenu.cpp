#include "ui/main/TrayIconMenu.h"

#include "ui/shared/ControlAccess.h"
#include "ui/shared/WindowTexts.h"
#include "win32/MessageIds.h"
#include "win32/Text.h"

void TrayIconMenu::Create() {
  menu_.reset(CreatePopupMenu());
  AppendMenuText(menu_.get(), kCommandAddTask, kAddTaskCommand);
  AppendMenuText(menu_.get(), kCommandToggle, kHideWindowItem);
  AppendMenuW(menu_.get(), MF_SEPARATOR, kCommandSeparator, nullptr);
  AppendMenuText(menu_.get(), kCommandExit, kExitItem);
}

void TrayIconMenu::SetToggleText(bool windowHidden) {
  const std::wstring text = ToWide(windowHidden ? kRestoreWindowItem : kHideWindowItem);
  ModifyMenuW(menu_.get(), kCommandToggle, MF_BYCOMMAND | MF_STRING, kCommandToggle, text.c_str());
}

void TrayIconMenu::Track(HWND owner, POINT where) const {
  TrackPopupMenuEx(menu_.get(), TPM_RIGHTBUTTON | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, where.x,
                   where.y, owner, nullptr);
}

std::string TrayIconMenu::ItemText(UINT command) const {
  wchar_t text[64] = {};
  GetMenuStringW(menu_.get(), command, text, 64, MF_BYCOMMAND);
  return ToCp1251(text);
}
