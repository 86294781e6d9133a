#include "core/Task.h"

const char* StatusText(int32_t status) {
  switch (status) {
    case StatusDone:
      return "Выполнено";
    case StatusActive:
      return "Активно";
    case StatusPaused:
      return "Приостановлено";
    case StatusDoneToday:
      return "Выполнено на сегодня";
    default:
      return "";
  }
}

void Ttask::SetSsec(int32_t ssec) {
  Ssec = ssec;
  // Truncating division, so a negative Ssec gives hour 0, minute 0 and a negative second.
  Hour = Ssec / 3600;
  Minute = (Ssec - Hour * 3600) / 60;
  Second = Ssec - Hour * 3600 - Minute * 60;
}
