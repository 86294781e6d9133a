#include "ui/shared/DialogKeys.h"

#include <vector>

namespace {

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  return lstrcmpiW(className, name) == 0;
}

bool IsPushButton(HWND window) {
  if (!HasClass(window, L"Button")) return false;
  const LONG_PTR kind = GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
  return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
}

void MoveFocusByTab(HWND window) {
  const bool backwards = GetKeyState(VK_SHIFT) < 0;
  std::vector<HWND> stops;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & WS_TABSTOP) && IsWindowVisible(child) && IsWindowEnabled(child))
      stops.push_back(child);
  }
  if (stops.empty()) return;
  HWND focus = GetFocus();
  size_t at = stops.size();
  for (size_t i = 0; i < stops.size(); ++i)
    if (stops[i] == focus || IsChild(stops[i], focus)) at = i;
  size_t next = 0;
  if (at == stops.size())
    next = backwards ? stops.size() - 1 : 0;
  else
    next = backwards ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
  // A focus moved by the keyboard is shown, even where the system hides focus rectangles until
  // the keyboard is used.
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(stops[next]);
  if (HasClass(stops[next], L"Edit")) SendMessageW(stops[next], EM_SETSEL, 0, -1);
}

}  // namespace

bool TakeDialogKey(HWND window, const MSG& message, const EnterAction& enter) {
  if (!window || message.message != WM_KEYDOWN) return false;
  if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
  if (message.wParam == VK_TAB) {
    MoveFocusByTab(window);
    return true;
  }
  if (message.wParam != VK_RETURN) return false;
  if (enter && enter(message.hwnd)) return true;
  if (!IsPushButton(message.hwnd)) return false;
  SendMessageW(message.hwnd, BM_CLICK, 0, 0);
  return true;
}

bool GoesToDroppedList(const MSG& message) {
  // The list of a combo box is a pop-up window owned by it, its edit field a child: either way
  // the combo box is the parent.
  for (HWND window : {message.hwnd, GetParent(message.hwnd)})
    if (window && HasClass(window, L"ComboBox") && SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0))
      return true;
  return false;
}
