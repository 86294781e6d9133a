#include "app/CommandLineStart.h"

#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include <string>
#include <vector>

#include "core/Texts.h"
#include "ui/commandline/CommandLine.h"
#include "ui/commandline/TaskHandover.h"
#include "ui/main/MainWindow.h"
#include "ui/shared/WindowTexts.h"
#include "win32/ErrorBox.h"
#include "win32/Handles.h"
#include "win32/LocalTime.h"
#include "win32/Text.h"

namespace {

constexpr DWORD kAnswerWaitMs = 5000;

// Also into the console of a command prompt that started the program, if there is one.
void PrintToParentConsole(const std::wstring& text) {
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  const UniqueHandle console(
      CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (console) {
    const std::wstring line = L"\r\n" + text + L"\r\n";
    DWORD written = 0;
    WriteConsoleW(console.get(), line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
  FreeConsole();
}

void Tell(const std::string& text, UINT icon) {
  const std::wstring wide = ToWide(text);
  PrintToParentConsole(wide);
  MessageBoxW(nullptr, wide.c_str(), kProgramTitle, MB_OK | icon);
}

}  // namespace

CommandLineRequest ReadCommandLine() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; argv && i < count; ++i) {
    bool lossless = true;
    args.push_back(ToCp1251(argv[i], &lossless));
    if (!lossless) {
      LocalFree(argv);
      Tell(kUnencodableArgumentText + args.back() + "\r\n\r\n" + kCommandLineUsage, MB_ICONWARNING);
      return {kExitBadCommand, std::nullopt};
    }
  }
  if (argv) LocalFree(argv);
  ParsedCommand command = ParseCommandLine(args, LocalSystemTime());
  switch (command.kind) {
    case ParsedCommand::Kind::Start:
      return {};
    case ParsedCommand::Kind::Usage:
      Tell(kCommandLineUsage, MB_ICONINFORMATION);
      return {kExitAdded, std::nullopt};
    case ParsedCommand::Kind::Error:
      Tell(command.error + "\r\n\r\n" + kCommandLineUsage, MB_ICONWARNING);
      return {kExitBadCommand, std::nullopt};
    case ParsedCommand::Kind::AddTask:
      break;
  }
  return {std::nullopt, std::move(command.fields)};
}

int HandOverToRunningCopy(const EditorFields& task) {
  const ULONGLONG deadline = GetTickCount64() + kAnswerWaitMs;
  // A copy still starting holds the single-instance mutex but has no window yet.
  HWND window = nullptr;
  while (!(window = FindWindowW(MainWindow::kClassName, kProgramTitle)) &&
         GetTickCount64() < deadline)
    Sleep(50);
  const std::string record = EncodeTaskHandover(task, deadline);
  COPYDATASTRUCT data{kTaskHandoverId, static_cast<DWORD>(record.size()),
                      const_cast<char*>(record.data())};
  DWORD_PTR answer = FALSE;
  const ULONGLONG now = GetTickCount64();
  if (window && now < deadline &&
      SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                          static_cast<UINT>(deadline - now), &answer) &&
      answer == TRUE)
    return kExitAdded;
  Tell(kNoAnswerText, MB_ICONWARNING);
  return kExitNoAnswer;
}
