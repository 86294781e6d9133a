#include "win32/FormClass.h"

bool RegisterFormClass(const wchar_t* className, WNDPROC procedure) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW existing{};
  if (GetClassInfoW(instance, className, &existing)) return true;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, L"MAINICON");
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  return RegisterClassW(&windowClass) != 0;
}

void CentreOverOwner(HWND window) {
  HWND owner = GetWindow(window, GW_OWNER);
  if (!owner) return;
  RECT main{};
  RECT own{};
  GetWindowRect(owner, &main);
  GetWindowRect(window, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  SetWindowPos(window, nullptr, main.left + (main.right - main.left) / 2 - width / 2,
               main.top + (main.bottom - main.top) / 2 - height / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
