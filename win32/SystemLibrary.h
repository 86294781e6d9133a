// System DLLs the program uses but does not import at load time. Windows looks for a DLL that
// is not one of its known DLLs first in the program's own folder, the folder Data.ini is written
// to: a DLL planted there would run at every start (with autostart, at every logon). These are
// loaded from the system folder only, and stay loaded for the program's life.
#pragma once

#include <windows.h>

// Limits where the process looks for DLLs it loads later to the system folder. Called first
// thing at start-up; does nothing on a system too old to offer it.
void RestrictDllSearchToSystemFolder();

// The DLL `name` from the system folder, or null.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The address of `function` in the system DLL `library`, or null; Function is the pointer type.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* function) {
  HMODULE module = LoadSystemLibrary(library);
  return module
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, function)))
             : nullptr;
}
