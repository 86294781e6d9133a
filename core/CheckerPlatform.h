// What the checker and firing ask of the system beyond the basic platform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/MissedReminder.h"
#include "core/Platform.h"

class CheckerPlatform : public Platform {
 public:
  // One tick: returns after about 500 ms, or early once WakeTick has been called.
  virtual void WaitTick() = 0;
  virtual void WakeTick() = 0;

  virtual void Beep(uint32_t frequency, uint32_t milliseconds) = 0;

  // Starts a file with the shell's "open" verb in the given working folder.
  virtual void OpenFile(const std::string& fileName, const std::string& folder) = 0;
  // Asks the main window to open a reminder popup with these texts (posted, not waited for);
  // `sound`: its sound action was on, with `soundChoice`, and both come back with it if the
  // reminder is put off. `reminder`: the number its popup's answer is known by (StartSound's).
  virtual void PostReminder(const std::string& momentText, const std::string& message, bool sound,
                            const SoundChoice& soundChoice, uint64_t reminder) = 0;
  // Plays `choice` for reminder `reminder` (0: one without a popup) on a thread of its own, one
  // sound at a time, repeating until the popup is answered when the choice says so (see
  // SoundSchedule). Returns at once.
  virtual void StartSound(uint64_t reminder, const SoundChoice& choice) = 0;
  // Asks the user-interface thread to stop the program in order (final save included) and
  // then to shut the computer down.
  virtual void ShutDownComputer() = 0;
  // Asks the main window to list the reminders missed while the program was not running or the
  // computer slept (posted, not waited for).
  virtual void PostMissed(std::vector<MissedReminder> missed) = 0;
  // Shows the application's error box on the user-interface thread (posted).
  virtual void ReportError(const std::string& text) = 0;
};
