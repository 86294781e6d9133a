#include "ui/shutdown/ShutdownCountdown.h"

#include "ui/shared/WindowTexts.h"

int ShutdownSecondsLeft(int totalSeconds, uint64_t elapsedMs) {
  const uint64_t elapsedSeconds = elapsedMs / 1000;
  if (totalSeconds <= 0 || elapsedSeconds >= static_cast<uint64_t>(totalSeconds)) return 0;
  return totalSeconds - static_cast<int>(elapsedSeconds);
}

std::string ShutdownWarningText(int secondsLeft) {
  return kShutdownWarningBefore + std::to_string(secondsLeft) + kShutdownWarningAfter;
}
