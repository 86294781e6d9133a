// vornakel.exe itself, copied into a test folder and started there as a separate process.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "win32/Handles.h"

// A copy of the program in a test folder, run there; ended at the end if still running.
class RunningProgram {
 public:
  explicit RunningProgram(const TestFolder& folder);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Start();
  DWORD Id() const { return id_; }

  // The exit code once the program has ended within the time, else nothing.
  std::optional<DWORD> WaitForExit(DWORD milliseconds = 15000);
  // A message box of the program, or null after 15 s.
  HWND WaitForMessageBox();
  // The program's visible main window, or null after 15 s.
  HWND WaitForMainWindow();

 private:
  std::wstring exe_;
  bool copied_ = false;
  UniqueHandle process_;
  DWORD id_ = 0;
};
