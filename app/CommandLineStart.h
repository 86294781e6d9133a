// A start with arguments (see ui/commandline/CommandLine.h): what it asks, answered before the
// program's own start, or handed to the copy that runs already.
#pragma once

#include <optional>

#include "ui/commandline/CommandLineTask.h"

// The exit codes of a start with a command line.
enum CommandLineExit : int {
  kExitAdded = 0,       // the task was added (or the usage shown)
  kExitEnded = 0,       // /quit: the running copy ended, or none ran
  kExitBadCommand = 2,  // nothing added anywhere
  kExitNoAnswer = 3,    // no copy answered (or ended) in time, or none could start; nothing added
};

struct CommandLineRequest {
  std::optional<int> exitNow;           // the usage or a mistake was shown: end with this code
  std::optional<CommandLineTask> task;  // a task to add
  bool quitRunningCopy = false;         // "/quit"
};

// Reads the program's own command line. The usage and a mistake are shown in a box " Vornakel"
// (and printed in the console the program was started from, if any).
CommandLineRequest ReadCommandLine();

// Hands `task` to the copy of the program that runs on its own: the running one, or, when there
// is none, a plain start of this program made here (the single-instance rule decides which copy
// runs when several start together). Waits for that copy's main window, then at most 5 s for its
// answer, and never for the copy itself, so that a batch file or "cmd /c" goes on at once:
// kExitAdded, or kExitNoAnswer after a box.
int HandOverTask(const CommandLineTask& task);

// "/quit": the running copy is asked to end as the tray menu's "Выход" ends it (its last save,
// a box to retry if that fails), and waited for at most 5 s, as is a copy still starting.
// kExitEnded when it ended or none runs (nothing is started then); kExitNoAnswer, said only in
// the console, so that a setup run silently is not held up by a box.
int QuitRunningCopy();
