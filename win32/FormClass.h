// The window class of one of the program's forms (main window, editor, settings).
#pragma once

#include <windows.h>

// Registers `className` once per process with the program's icon, the arrow cursor and the
// button-face background; true when the class exists afterwards.
bool RegisterFormClass(const wchar_t* className, WNDPROC procedure);

// The window procedure of a form class: binds the object passed as creation data on
// WM_NCCREATE, lets it go on WM_NCDESTROY, and hands every other message to the object's
// HandleMessage. A window of the class made without an object gets the default handling.
// The form declares it a friend: it sets the form's hwnd_.
template <typename Form>
LRESULT CALLBACK FormWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    if (auto* self =
            static_cast<Form*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams)) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  }
  auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}
