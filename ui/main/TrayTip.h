// The tray icon's tip: the program's name and, on a second line, the next moment a task or a
// reminder put off will come, with the first line of its message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/Snooze.h"
#include "core/Task.h"

class Store;

// The shell keeps a tip of at most 128 UTF-16 units with the terminating null; a code page 1251
// byte is one unit, so the text holds at most kTrayTipCapacity - 1 bytes.
inline constexpr size_t kTrayTipCapacity = 128;

struct TrayTip {
  std::string text;                 // cp1251, the lines parted by "\n"
  std::optional<LocalMoment> next;  // the moment the second line shows; none without one
};

// "Vornakel", then "Следующее: 18:30 Планёрка" for a moment today ("12.12 09:00 ..." on another
// day of this year, "12.12.2028 09:00 ..." in another year), the message cut with "…" to fit.
// Nothing due: the name alone. The caller holds the store's lock.
TrayTip ComposeTrayTip(const Store& store, const SystemTime& now);

// When what comes next must be found again (for the tip, or the wake timer): the table changed (a
// save was composed since), the date changed (today's moments lose their date, tomorrow's gain
// it), or the moment found has come. Finding searches the whole table, so an idle program does not
// do it each time it looks.
class NextMomentWatch {
 public:
  bool Due(uint64_t composedSaves, const SystemTime& now) const;
  void Composed(uint64_t composedSaves, const SystemTime& now,
                const std::optional<LocalMoment>& next);
  // The next look composes, whatever changed (the table was loaded, the icon came back).
  void Forget() { known_ = false; }

 private:
  bool known_ = false;
  uint64_t saves_ = 0;
  int32_t year_ = 0, month_ = 0, day_ = 0;
  // Watched only when it lay ahead: a moment already come is caught up by a firing, which saves.
  std::optional<LocalMoment> comes_;
};
