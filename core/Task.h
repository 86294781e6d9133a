// One task of the user's list, and the fixed codes its fields carry.
#pragma once

#include <cstdint>
#include <string>

// The local time as the system gives it; members in the order of SYSTEMTIME.
struct SystemTime {
  uint16_t wYear = 0;
  uint16_t wMonth = 0;
  uint16_t wDayOfWeek = 0;  // Sunday 0 ... Saturday 6
  uint16_t wDay = 0;
  uint16_t wHour = 0;
  uint16_t wMinute = 0;
  uint16_t wSecond = 0;
  uint16_t wMilliseconds = 0;
};
static_assert(sizeof(SystemTime) == 16, "laid out like SYSTEMTIME");

// Recurrence codes: the item index of the editor's recurrence list.
enum TaskMode : int32_t {
  ModeDaily = 0,
  ModeMonday = 1,
  ModeTuesday = 2,
  ModeWednesday = 3,
  ModeThursday = 4,
  ModeFriday = 5,
  ModeSaturday = 6,
  ModeSunday = 7,
  ModeMonthly = 8,
  ModeYearly = 9,
  ModeOnce = 10,
};

enum TaskStatus : int32_t {
  StatusDone = 0,
  StatusActive = 1,
  StatusPaused = 2,
  StatusDoneToday = 3,
};

// Text of the status column; empty for a code the program never stores.
const char* StatusText(int32_t status);

struct Ttask {
  uint8_t Armed = 0;  // 0 while the user interface writes the record: the checker leaves it alone
  int32_t Mode = 0;
  int32_t Ssec = 0;  // Hour * 3600 + Minute * 60 + Second
  int32_t Hour = 0;
  int32_t Minute = 0;
  int32_t Second = 0;
  int32_t Year = 0;
  int32_t Month = 0;
  int32_t Day = 0;
  std::string Text;  // cp1251, line breaks as CR LF
  uint8_t DeleteAfter = 0;
  uint8_t RunFile = 0;
  uint8_t ShutDown = 0;
  uint8_t Sound = 0;
  uint8_t ShowMessage = 0;
  std::string FileName;
  int32_t Status = 0;
  // Last run, laid out like SYSTEMTIME; PrevMS is the done-today flag.
  uint16_t PrevY = 0;
  uint16_t PrevM = 0;
  uint16_t PrevDayOfWeek = 0;  // never written, read or stored
  uint16_t PrevD = 0;
  uint16_t PrevH = 0;
  uint16_t PrevMin = 0;
  uint16_t PrevS = 0;
  uint16_t PrevMS = 0;

  // Stable identity for code that holds on to a task across a modal box while indexes move.
  // Given when the record is created or loaded; not stored in Data.ini.
  uint64_t Id = 0;

  // Sets Ssec and derives Hour, Minute, Second the way loading does.
  void SetSsec(int32_t ssec);
};

// The session record: window and list settings, options, the editor's working date and time.
struct TSreda {
  int32_t Year = 0;
  int32_t Month = 0;
  int32_t Day = 0;
  int32_t Hour = 0;
  int32_t Minute = 0;
  int32_t Second = 0;
  uint8_t WinS = 0;
  uint8_t SMin = 0;
  uint8_t Tray = 0;
  uint8_t WinMax = 0;
  int32_t WinW = 0;
  int32_t WinH = 0;
  int32_t WinX = 0;
  int32_t WinY = 0;
  int32_t Ln0 = 0;
  int32_t Ln1 = 0;
  int32_t Ln2 = 0;
  int32_t Ln3 = 0;
  int32_t Ln4 = 0;
  int32_t TasksN = 0;
  std::string LastOD;
};
