#include "win32/TrayIcon.h"

#include <algorithm>
#include <iterator>

#include "core/Texts.h"
#include "win32/Text.h"

void TrayIcon::Fill(HWND window) {
  record_ = NOTIFYICONDATAW{};
  record_.cbSize = kRecordSize;
  record_.hWnd = window;
  record_.uID = 1;
  record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_.uCallbackMessage = WMAPP_TRAYICON;
  record_.hIcon = LoadIconA(GetModuleHandleW(nullptr), "MAINICON");
  SetTip(ToWide(kTrayTipTitle));
}

bool TrayIcon::Add() {
  const bool added = notify_(NIM_ADD, &record_) != FALSE;
  added_ = added_ || added;
  return added;
}

bool TrayIcon::Delete() {
  added_ = false;
  return notify_(NIM_DELETE, &record_) != FALSE;
}

void TrayIcon::SetTip(const std::wstring& tip) {
  // The rest of the field stays zero.
  std::fill(std::begin(record_.szTip), std::end(record_.szTip), L'\0');
  tip.copy(record_.szTip, std::size(record_.szTip) - 1);
  if (added_) notify_(NIM_MODIFY, &record_);
}
