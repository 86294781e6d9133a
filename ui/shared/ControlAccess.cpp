#include "ui/shared/ControlAccess.h"

#include "win32/CommonControls.h"
#include "win32/Text.h"

std::string ControlText(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return ToCp1251(text);
}

void SetControlText(HWND control, const std::string& text) {
  SetWindowTextW(control, ToWide(text).c_str());
}

bool IsChecked(HWND checkBox) { return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetCheckState(HWND checkBox, bool checked) {
  SendMessageW(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int SelectedIndex(HWND comboBox) {
  const LRESULT index = SendMessageW(comboBox, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void SelectIndex(HWND comboBox, int index) {
  const int count = static_cast<int>(SendMessageW(comboBox, CB_GETCOUNT, 0, 0));
  SendMessageW(comboBox, CB_SETCURSEL, index >= 0 && index < count ? index : -1, 0);
}

void FillNumberItems(HWND comboBox, int count) {
  SendMessageW(comboBox, WM_SETREDRAW, FALSE, 0);
  SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);
  for (int n = 1; n <= count; ++n)
    SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(n).c_str()));
  SendMessageW(comboBox, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(comboBox, nullptr, TRUE);
}

void AddItem(HWND comboBox, const char* text) {
  SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
}

void SetVisibleItems(HWND comboBox, int count) {
  // Common controls 6 take the count itself; older ones size the open list from the control's
  // height, so that is set to fit as well.
  SendMessageW(comboBox, CB_SETMINVISIBLE, static_cast<WPARAM>(count), 0);
  RECT frame{};
  GetWindowRect(comboBox, &frame);
  const int fieldHeight = static_cast<int>(SendMessageW(comboBox, CB_GETITEMHEIGHT, -1, 0));
  const int itemHeight = static_cast<int>(SendMessageW(comboBox, CB_GETITEMHEIGHT, 0, 0));
  const int height = fieldHeight + 6 + count * itemHeight + 2;
  SetWindowPos(comboBox, nullptr, 0, 0, frame.right - frame.left, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ArrowsPosition(HWND upDown) {
  return static_cast<int>(SendMessageW(upDown, UDM_GETPOS32, 0, 0));
}

void SetArrowsPosition(HWND upDown, int position) {
  SendMessageW(upDown, UDM_SETPOS32, 0, position);
}

void AppendMenuText(HMENU menu, UINT id, const char* text) {
  AppendMenuW(menu, MF_STRING, id, ToWide(text).c_str());
}
