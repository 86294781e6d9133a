#include "win32/TrayIcon.h"

#include <cstring>

void TrayIcon::Fill(HWND window) {
  record_ = NOTIFYICONDATAA{};
  record_.cbSize = kRecordSize;
  record_.hWnd = window;
  record_.uID = 1;
  record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_.uCallbackMessage = WMAPP_TRAYICON;
  record_.hIcon = LoadIconA(GetModuleHandleW(nullptr), "MAINICON");
  // The rest of the 64-byte tip stays zero.
  std::memcpy(record_.szTip, "Vornakel", 8);
}

bool TrayIcon::Add() { return notify_(NIM_ADD, &record_) != FALSE; }

bool TrayIcon::Delete() { return notify_(NIM_DELETE, &record_) != FALSE; }
