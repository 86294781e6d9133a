#include "app/CommandLineStart.h"

#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include <string>
#include <vector>

#include "core/PathParts.h"
#include "core/Texts.h"
#include "ui/commandline/CommandLine.h"
#include "ui/commandline/TaskHandover.h"
#include "ui/main/MainWindow.h"
#include "ui/shared/WindowTexts.h"
#include "win32/ErrorBox.h"
#include "win32/Handles.h"
#include "win32/LocalTime.h"
#include "win32/MessageIds.h"
#include "win32/Paths.h"
#include "win32/SingleInstance.h"
#include "win32/Text.h"

namespace {

constexpr ULONGLONG kAnswerWaitMs = 5000;
// A copy started here loads its data before its window appears.
constexpr ULONGLONG kStartWaitMs = 30000;

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

bool NamesExistingFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A sound file named relative to the command prompt's folder: the running copy plays it from its
// own folder, so it is stored by its full path. As given when that cannot be had.
std::string FullPathOf(const std::string& path) {
  return ToProgramPathExactly(FullPath(ToWide(path))).value_or(path);
}

HWND FindMainWindow() { return FindWindowW(MainWindow::kClassName, kProgramTitle); }

// This program again, without arguments, as its own process in its own folder: a start like any
// other (it shows or hides its window as its settings say, and ends at once when another copy
// runs). Nothing of this process is inherited, so whoever waits for this process or reads its
// output is not held up by the copy.
bool StartPlainCopy() {
  const std::wstring exe = ExecutablePath();
  if (exe.empty()) return false;
  std::wstring commandLine = L"\"" + exe + L"\"";
  const std::wstring folder = FolderPart(std::wstring_view(exe));
  STARTUPINFOW ownStart{};
  ownStart.cb = sizeof ownStart;
  GetStartupInfoW(&ownStart);
  STARTUPINFOW start{};
  start.cb = sizeof start;
  // Started from a shortcut set to "minimised", the copy starts so too.
  start.dwFlags = ownStart.dwFlags & STARTF_USESHOWWINDOW;
  start.wShowWindow = ownStart.wShowWindow;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &start, &process))
    return false;
  // Not waited for: the handles only close.
  const UniqueHandle thread(process.hThread), copy(process.hProcess);
  return true;
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
    case ParsedCommand::Kind::Quit:
      return {std::nullopt, std::nullopt, true};
    case ParsedCommand::Kind::Usage:
      Tell(kCommandLineUsage, MB_ICONINFORMATION);
      return {kExitAdded, std::nullopt};
    case ParsedCommand::Kind::Error:
      Tell(command.error + "\r\n\r\n" + kCommandLineUsage, MB_ICONWARNING);
      return {kExitBadCommand, std::nullopt};
    case ParsedCommand::Kind::AddTask:
      break;
  }
  // A folder named without a trailing separator is known only here, where it exists.
  EditorFields& fields = command.task.fields;
  for (const auto& [file, error] :
       {std::pair{fields.runFileChecked ? fields.fileName : "", kRunFolderError},
        std::pair{fields.soundFile, kSoundFolderError}})
    if (!file.empty() && NamesExistingFolder(file)) {
      Tell(error + file + "\r\n\r\n" + kCommandLineUsage, MB_ICONWARNING);
      return {kExitBadCommand, std::nullopt};
    }
  if (!fields.soundFile.empty()) fields.soundFile = FullPathOf(fields.soundFile);
  return {std::nullopt, std::move(command.task)};
}

int HandOverTask(const CommandLineTask& task) {
  HWND window = FindMainWindow();
  if (!window) {
    // No copy runs, or one is still starting (then the copy started here simply ends).
    if (!StartPlainCopy()) {
      Tell(kNotStartedText, MB_ICONWARNING);
      return kExitNoAnswer;
    }
    const ULONGLONG startDeadline = GetTickCount64() + kStartWaitMs;
    while (!(window = FindMainWindow()) && GetTickCount64() < startDeadline) Sleep(50);
  }
  // The copy refuses the record after this moment: a task handed over too late is not added
  // behind the back of a sender that reported it lost.
  const ULONGLONG deadline = GetTickCount64() + kAnswerWaitMs;
  const std::string record = EncodeTaskHandover(task, deadline);
  COPYDATASTRUCT data{kTaskHandoverId, static_cast<DWORD>(record.size()),
                      const_cast<char*>(record.data())};
  DWORD_PTR answer = FALSE;
  if (window &&
      SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                          static_cast<UINT>(kAnswerWaitMs), &answer) &&
      answer == TRUE)
    return kExitAdded;
  Tell(kNoAnswerText, MB_ICONWARNING);
  return kExitNoAnswer;
}

int QuitRunningCopy() {
  // A copy that holds the mutex without a window is loading its data (or ending already).
  const ULONGLONG startDeadline = GetTickCount64() + kAnswerWaitMs;
  HWND window = FindMainWindow();
  while (!window && SingleInstance::HeldByAnyCopy() && GetTickCount64() < startDeadline) {
    Sleep(50);
    window = FindMainWindow();
  }
  if (!window && !SingleInstance::HeldByAnyCopy()) return kExitEnded;
  bool ended = false;
  if (window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kCommandExit, 0), 0);
    // The process, not only its window: an installer may replace the executable next.
    if (process) {
      ended =
          WaitForSingleObject(process.get(), static_cast<DWORD>(kAnswerWaitMs)) == WAIT_OBJECT_0;
    } else {
      const ULONGLONG deadline = GetTickCount64() + kAnswerWaitMs;
      while (IsWindow(window) && GetTickCount64() < deadline) Sleep(50);
      ended = !IsWindow(window);
    }
  }
  if (ended) return kExitEnded;
  PrintToParentConsole(ToWide(kQuitNoAnswerText));
  return kExitNoAnswer;
}
