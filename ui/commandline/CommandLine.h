// The program's command line: a reminder added from Win+R, a script or a shortcut.
//
//   vornakel.exe /in DURATION [ACTIONS] MESSAGE...      once, DURATION from now (25m, 2h, 1h30m,
//                                                       90s; also 25м, 2ч, 90с)
//   vornakel.exe /at TIME [WHEN] [ACTIONS] MESSAGE...   TIME HH:MM or HH:MM:SS; WHEN one of
//       /daily, /on DD.MM.YYYY, /weekly DAYS (пн...вс, mon...sun; one day or a list "пн,ср,пт"),
//       /workdays, /monthly D, /monthly 2вт (the first to fourth weekday of the month),
//       /monthly последняя пт (also последний, последнее, last), /yearly DD.MM, /every STEP;
//       without WHEN once, today if TIME is still ahead, else tomorrow
//   vornakel.exe /every STEP [ACTIONS] MESSAGE...       from this minute on
//   STEP: 45m, 2h, 3d (also 45м, 2ч, 3д): 1..1440 minutes, 1..24 hours or 1..366 days
//   ACTIONS: /till TIME and /days DAYS (the last step of the day and the days, for a step in
//       minutes or hours), /before DURATION (a warning that long before each moment, whole
//       minutes up to a day), /nomessage, /nosound, /sound FILE (played instead of the melody),
//       /repeat (the sound again until the popup is answered; not with /nomessage or /nosound),
//       /run FILE (a file, not a folder), /delete (a one-time task only), /wake (the computer is
//       woken from sleep for the task)
//   vornakel.exe /quit                                  the running copy ends as by "Выход"
//   vornakel.exe /?                                     the usage
//
// Switches may begin with "-" too; case does not matter. The message is the rest of the line,
// words joined by single blanks, "\n" a line break; it may be empty. The words are the
// arguments as Windows splits them: a quoted message keeps its blanks, a quoted switch is a
// switch.
#pragma once

#include <string>
#include <vector>

#include "core/Task.h"
#include "ui/commandline/CommandLineTask.h"

struct ParsedCommand {
  enum class Kind {
    Start,    // no arguments: the program starts as usual
    Usage,    // "/?"
    Quit,     // "/quit": the running copy is asked to end
    AddTask,  // `task` holds the new task
    Error,    // `error` names what is wrong; nothing may be added
  };
  Kind kind = Kind::Start;
  CommandLineTask task;
  std::string error;
};

// `args` are the arguments after the program's name, in code page 1251; `now` the local time.
// The task is the one the editor would make for the same choices: the date fields a recurrence does
// not use keep today's date, as the editor shows them.
ParsedCommand ParseCommandLine(const std::vector<std::string>& args, const SystemTime& now);
