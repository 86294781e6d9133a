#include "win32/TrayIcon.h"

#include <cstring>

#include "win32/Text.h"

void TrayIcon::Fill(HWND window) {
  TrayData_ = NOTIFYICONDATAA{};
  TrayData_.cbSize = kRecordSize;
  TrayData_.hWnd = window;
  TrayData_.uID = 1;
  TrayData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;  // 7
  TrayData_.uCallbackMessage = WM_TRAYICON;
  TrayData_.hIcon = LoadIconA(GetModuleHandleW(nullptr), "MAINICON");
  // The rest of the 64-byte tip stays zero.
  std::memcpy(TrayData_.szTip, "Vornakel", 8);
}

bool TrayIcon::Add() { return Shell_NotifyIconA(NIM_ADD, &TrayData_) != FALSE; }

bool TrayIcon::Delete() { return Shell_NotifyIconA(NIM_DELETE, &TrayData_) != FALSE; }

TrayPopupMenu::~TrayPopupMenu() {
  if (menu_) DestroyMenu(menu_);
}

void TrayPopupMenu::Create() {
  if (menu_) DestroyMenu(menu_);
  menu_ = CreatePopupMenu();
  AppendMenuW(menu_, MF_STRING, kCommandAddTask, ToWide("Добавить задание").c_str());
  AppendMenuW(menu_, MF_STRING, kCommandToggle, ToWide("Свернуть").c_str());
  AppendMenuW(menu_, MF_SEPARATOR, kCommandSeparator, nullptr);
  AppendMenuW(menu_, MF_STRING, kCommandExit, ToWide("Выход").c_str());
}

void TrayPopupMenu::SetToggleText(bool windowHidden) {
  const std::wstring text = ToWide(windowHidden ? "Развернуть" : "Свернуть");
  ModifyMenuW(menu_, kCommandToggle, MF_BYCOMMAND | MF_STRING, kCommandToggle, text.c_str());
}

void TrayPopupMenu::Track(HWND owner, POINT where) const {
  TrackPopupMenuEx(menu_, TPM_RIGHTBUTTON | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, where.x, where.y,
                   owner, nullptr);
}

std::string TrayPopupMenu::ItemText(UINT command) const {
  wchar_t text[64] = {};
  GetMenuStringW(menu_, command, text, 64, MF_BYCOMMAND);
  return ToCp1251(text);
}
