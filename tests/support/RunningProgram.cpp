#include "tests/support/RunningProgram.h"

#include <chrono>

#include "win32/Text.h"

namespace {

std::wstring ProgramPath() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.resize(path.find_last_of(L'\\') + 1);
  for (wchar_t c : ToWide(VORNAKEL_EXE_FROM_TESTS)) path += c == L'/' ? L'\\' : c;
  return path;
}

}  // namespace

RunningProgram::RunningProgram(const TestFolder& folder) : exe_(folder.File(L"vornakel.exe")) {
  copied_ = CopyFileW(ProgramPath().c_str(), exe_.c_str(), FALSE) != FALSE;
}

RunningProgram::~RunningProgram() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool RunningProgram::Start() {
  if (!copied_) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + exe_ + L"\"";
  if (!CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info))
    return false;
  CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  id_ = info.dwProcessId;
  return true;
}

std::optional<DWORD> RunningProgram::WaitForExit(DWORD milliseconds) {
  if (WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

HWND RunningProgram::WaitForMessageBox() {
  HWND box = nullptr;
  PumpUntil([&] { return (box = FindMessageBox(id_)) != nullptr; }, std::chrono::seconds(15));
  return box;
}

HWND RunningProgram::WaitForMainWindow() {
  HWND window = nullptr;
  PumpUntil(
      [&] {
        window = FindWindowA("TForm1", " Vornakel");
        DWORD owner = 0;
        if (window) GetWindowThreadProcessId(window, &owner);
        return window && owner == id_ && IsWindowVisible(window);
      },
      std::chrono::seconds(15));
  return window;
}
