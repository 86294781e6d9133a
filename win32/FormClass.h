// The window class of one of the program's forms (main window, editor, settings).
#pragma once

#include <windows.h>

// Registers `className` once per process with the program's icon, the arrow cursor and the
// button-face background; true when the class exists afterwards.
bool RegisterFormClass(const wchar_t* className, WNDPROC procedure);
