#include "ui/shared/DialogKeys.h"

#include <vector>

namespace {

bool IsEditControl(HWND window) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  return lstrcmpiW(className, L"Edit") == 0;
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
  SetFocus(stops[next]);
  if (IsEditControl(stops[next])) SendMessageW(stops[next], EM_SETSEL, 0, -1);
}

}  // namespace

bool TakeDialogKey(HWND window, const MSG& message, const EnterAction& enter) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
  if (message.wParam == VK_TAB) {
    MoveFocusByTab(window);
    return true;
  }
  return message.wParam == VK_RETURN && enter && enter(message.hwnd);
}
